#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/DisclosureButton.h"
#include "Views/Kit/Controls/LinkButton.h"
#include "Views/Kit/Labels/MiddleElidedLabel.h"
#include "Views/Kit/Theme/AppIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Permission/BlockedPathList.h"
#include "Views/Permission/FallbackActionButton.h"
#include "Views/Permission/PermissionGrantedBody.h"
#include "Views/Permission/PermissionRequestBody.h"
#include "Views/Permission/PermissionSheet.h"
#include "Views/Permission/PermissionSheetHeader.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/Screenshots.h"
#include "appsupport/SwitchableAccess.h"

#include <QApplication>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>

namespace zn {
namespace {

using namespace std::chrono_literals;
using Context = PermissionPromptContext;

const char* const kSettingsPane = "x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles";

// Paths as a failed clean leaves them: some short, some long enough to be cut in the middle.
std::vector<std::string> blockedPaths(std::size_t count) {
    static const std::vector<std::string> samples{
        "/home/sam/Library/Mail/V10/MailData/Envelope Index",
        "/home/sam/Library/Safari/CloudTabs.db",
        "/home/sam/Library/Mail/V10/4C1E9A72-0B5D-4F0E-9D1A-2F7C3B8E6A15/INBOX.mbox/Attachments/48213/2/"
        "Quarterly report – final version (signed).pdf",
        "/home/sam/Library/Cookies/Cookies.binarycookies",
        "/home/sam/Library/HTTPStorages/com.apple.Safari",
        "/home/sam/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/invoice-2024-03.pdf",
        "/home/sam/Library/Safari/Bookmarks.plist",
    };
    std::vector<std::string> paths;
    for (std::size_t index = 0; index < count; ++index)
        paths.push_back(index < samples.size() ? samples[index]
                                               : "/home/sam/Library/Mail/V10/Cache/part-" + std::to_string(index));
    return paths;
}

// A prompt for a failed clean, and the sheet that shows it.
struct SheetFixture {
    test::SwitchableAccess access;
    int retries = 0;
    std::unique_ptr<PermissionSheet> sheet;

    SheetFixture() { QApplication::setWindowIcon(applicationIcon()); }
    ~SheetFixture() { QApplication::setWindowIcon(QIcon()); }

    void request(std::vector<std::string> paths = blockedPaths(2)) {
        // Without paths the prompt is the general one, as the access banner opens it.
        const auto count = static_cast<std::int64_t>(paths.size());
        const Context context = paths.empty() ? Context::general() : Context::cleanup(count);
        access.coordinator->requestAccess(context, std::move(paths), [this] { ++retries; });
        test::processQueuedWork();
    }
    PermissionSheet& open(ColorScheme scheme = ColorScheme::light) {
        sheet = std::make_unique<PermissionSheet>(*access.coordinator);
        test::useScheme(*sheet, scheme);
        sheet->open();
        return *sheet;
    }
    // The probe started by "I allowed access" has answered.
    static void probeAnswered() {
        QThreadPool::globalInstance()->waitForDone();
        test::processQueuedWork();
    }
};

TEST(PermissionSheet, AsksForAccessWhileItIsMissing) {
    SheetFixture fixture;
    fixture.request();
    PermissionSheet& sheet = fixture.open();
    EXPECT_EQ(sheet.width(), PermissionSheet::kWidth);
    EXPECT_EQ(sheet.windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet.header().title(), "Allow access to remove 2 item(s)");
    EXPECT_EQ(sheet.header().subtitle(), "Open Settings once. Zelva Nexal will notice when you're done.");
    EXPECT_EQ(sheet.header().symbol(), "lock.shield.fill");
    EXPECT_EQ(sheet.header().tint(), qColor(Tint::blue));
    EXPECT_TRUE(sheet.requestBody().isVisible());
    EXPECT_FALSE(sheet.grantedBody().isVisible());
    EXPECT_TRUE(sheet.skipButton().isVisible());
    EXPECT_TRUE(sheet.allowedButton().isVisible());
    EXPECT_EQ(sheet.allowedButton().text(), "I allowed access");
    EXPECT_TRUE(sheet.requestBody().openSettingsButton().isDefault());

    test::useScheme(sheet, ColorScheme::dark);
    EXPECT_EQ(sheet.header().tint(), qColor(Tint::green));
}

TEST(PermissionSheet, TheHeadlineShowsTheApplicationsNameAsItIs) {
    // The name comes from the application's Info.plist: a direction override or a line break in it must
    // neither reorder the headline nor break it.
    SheetFixture fixture;
    fixture.access.coordinator->requestAccess(Context::uninstall("Notes\u202Etxt.exe\nAgain\x1B", 2),
                                              blockedPaths(2), [] {});
    test::processQueuedWork();
    PermissionSheet& sheet = fixture.open();
    EXPECT_EQ(sheet.header().title().toStdString(),
              "Allow access to finish removing files for Notes\uFFFDtxt.exe\u23CEAgain\uFFFD (2)");
}

TEST(PermissionSheet, AGrantSeenByThePollConfirmsAndRetriesOnce) {
    SheetFixture fixture;
    fixture.request();
    PermissionSheet& sheet = fixture.open();
    fixture.access.grant();
    fixture.access.clock->advance(1000ms);

    EXPECT_EQ(sheet.header().symbol(), "checkmark.shield.fill");
    EXPECT_EQ(sheet.header().subtitle(), "Access allowed. Trying again…");
    EXPECT_FALSE(sheet.requestBody().isVisible());
    EXPECT_TRUE(sheet.grantedBody().isVisible());
    EXPECT_FALSE(sheet.allowedButton().isVisible());
    EXPECT_TRUE(sheet.skipButton().isVisible());
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        test::useScheme(sheet, scheme);
        EXPECT_EQ(sheet.header().tint(), qColor(Tint::green));
    }
    // Return has no button to press any more.
    QTest::keyClick(&sheet, Qt::Key_Return);
    EXPECT_TRUE(fixture.access.opener->urls().empty());

    EXPECT_EQ(fixture.retries, 0);
    fixture.access.clock->advance(1000ms);
    EXPECT_EQ(fixture.retries, 1);
    EXPECT_FALSE(fixture.access.coordinator->isRequesting());
    fixture.access.clock->advance(5s);
    EXPECT_EQ(fixture.retries, 1);

    // A later probe that loses access again brings the request back.
    fixture.access.revoke();
    fixture.access.coordinator->refreshStatus();
    ASSERT_TRUE(test::waitUntil([&] { return !fixture.access.coordinator->hasFullDiskAccess(); }));
    EXPECT_TRUE(sheet.requestBody().isVisible());
    EXPECT_TRUE(sheet.allowedButton().isVisible());
}

TEST(PermissionSheet, IAllowedAccessWithoutAccessChangesNothing) {
    SheetFixture fixture;
    fixture.request();
    PermissionSheet& sheet = fixture.open();
    sheet.allowedButton().click();
    SheetFixture::probeAnswered();
    fixture.access.clock->advance(200ms);
    EXPECT_TRUE(fixture.access.coordinator->isRequesting());
    EXPECT_TRUE(sheet.requestBody().isVisible());
    EXPECT_EQ(fixture.retries, 0);
}

TEST(PermissionSheet, IAllowedAccessAfterAGrantRetriesExactlyOnce) {
    // The probe of the button finds the grant first: the coordinator's grant handling takes the retry,
    // and the button's check a fifth of a second later runs that same retry, once.
    {
        SheetFixture fixture;
        fixture.request();
        PermissionSheet& sheet = fixture.open();
        fixture.access.grant();
        sheet.allowedButton().click();
        SheetFixture::probeAnswered();
        EXPECT_TRUE(sheet.grantedBody().isVisible());
        EXPECT_EQ(fixture.retries, 0);
        fixture.access.clock->advance(200ms);
        EXPECT_EQ(fixture.retries, 1);
        EXPECT_FALSE(fixture.access.coordinator->isRequesting());
        fixture.access.clock->advance(5s);
        EXPECT_EQ(fixture.retries, 1);
    }
    // The poll sees the grant between the click and the check.
    {
        SheetFixture fixture;
        fixture.request();
        PermissionSheet& sheet = fixture.open();
        fixture.access.grant();
        fixture.access.clock->advance(900ms);
        sheet.allowedButton().click();
        fixture.access.clock->advance(100ms);
        SheetFixture::probeAnswered();
        fixture.access.clock->advance(100ms);
        EXPECT_EQ(fixture.retries, 1);
        fixture.access.clock->advance(5s);
        EXPECT_EQ(fixture.retries, 1);
    }
}

TEST(PermissionSheet, SkipEscapeAndClosingNeverRetry) {
    const auto check = [](const std::function<void(SheetFixture&)>& close, bool afterGrant) {
        SheetFixture fixture;
        fixture.request();
        PermissionSheet& sheet = fixture.open();
        if (afterGrant) {
            fixture.access.grant();
            fixture.access.clock->advance(1000ms);
            ASSERT_TRUE(sheet.grantedBody().isVisible());
        }
        close(fixture);
        EXPECT_FALSE(fixture.access.coordinator->isRequesting());
        EXPECT_TRUE(fixture.access.coordinator->failedItemPaths().empty());
        fixture.access.grant();
        fixture.access.clock->advance(5s);
        EXPECT_EQ(fixture.retries, 0);
    };
    for (const bool afterGrant : {false, true}) {
        check([](SheetFixture& fixture) { fixture.sheet->skipButton().click(); }, afterGrant);
        check([](SheetFixture& fixture) { QTest::keyClick(fixture.sheet.get(), Qt::Key_Escape); }, afterGrant);
        check([](SheetFixture& fixture) { fixture.sheet->close(); }, afterGrant);
    }
}

TEST(PermissionSheet, AClosedSheetLeavesAFinishedPromptAlone) {
    SheetFixture fixture;
    fixture.access.grant();
    fixture.access.coordinator = fixture.access.makeCoordinator();
    // With access already there nothing is prompted, and the request's context and paths stay.
    fixture.request();
    EXPECT_EQ(fixture.retries, 1);
    PermissionSheet& sheet = fixture.open();
    sheet.reject();
    EXPECT_EQ(fixture.access.coordinator->context(), Context::cleanup(2));
    EXPECT_EQ(fixture.access.coordinator->failedItemPaths().size(), 2u);
}

TEST(PermissionSheet, ReturnOpensTheAccessSettingsAndTheSheetStays) {
    SheetFixture fixture;
    fixture.request();
    PermissionSheet& sheet = fixture.open();
    QTest::keyClick(&sheet, Qt::Key_Return);
    ASSERT_EQ(fixture.access.opener->urls().size(), 1u);
    EXPECT_EQ(fixture.access.opener->urls()[0].toString(), kSettingsPane);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_TRUE(fixture.access.coordinator->isRequesting());
}

TEST(PermissionSheet, TheHelpPanelOffersShowAppAndAskAgain) {
    SheetFixture fixture;
    fixture.request();
    PermissionSheet& sheet = fixture.open();
    PermissionRequestBody& body = sheet.requestBody();
    EXPECT_EQ(body.helpToggle().text(), "Zelva Nexal missing?");
    EXPECT_FALSE(body.helpPanel().isVisible());
    const int closedHeight = sheet.height();

    body.helpToggle().click();
    EXPECT_TRUE(body.showsHelp());
    EXPECT_EQ(body.helpToggle().text(), "Hide help");
    EXPECT_TRUE(body.helpPanel().isVisible());
    test::processQueuedWork();
    EXPECT_GT(sheet.height(), closedHeight);
    EXPECT_EQ(body.showAppButton().text(), "Show app");
    EXPECT_EQ(body.showAppButton().subtitle(), "Drag it into the list");
    EXPECT_EQ(body.askAgainButton().text(), "Ask macOS again");
    EXPECT_EQ(body.askAgainButton().subtitle(), "Refresh the permission prompt");

    body.showAppButton().click();
    EXPECT_EQ(fixture.access.fileViewer->revealed,
              std::vector<std::string>{fixture.access.options.applicationPath});

    body.askAgainButton().click();
    ASSERT_TRUE(test::waitUntil([&] { return fixture.access.clock->pendingCalls() > 1; }));
    fixture.access.clock->advance(800ms);
    ASSERT_EQ(fixture.access.opener->urls().size(), 1u);
    EXPECT_EQ(fixture.access.opener->urls()[0].toString(), kSettingsPane);
    // Neither closes the sheet or the panel.
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_TRUE(body.showsHelp());

    body.helpToggle().click();
    EXPECT_EQ(body.helpToggle().text(), "Zelva Nexal missing?");
    EXPECT_FALSE(body.helpPanel().isVisible());
}

TEST(PermissionSheet, TheBlockedListShowsSixPathsAndCountsTheRest) {
    EXPECT_EQ(BlockedPathList::cut({}).total, 0);
    const auto six = BlockedPathList::cut(blockedPaths(6));
    EXPECT_EQ(six.shown, blockedPaths(6));
    EXPECT_EQ(six.more, 0);
    const auto seven = BlockedPathList::cut(blockedPaths(7));
    EXPECT_EQ(seven.total, 7);
    EXPECT_EQ(seven.shown, blockedPaths(6));
    EXPECT_EQ(seven.more, 1);
    EXPECT_EQ(BlockedPathList::cut(blockedPaths(40)).more, 34);

    SheetFixture fixture;
    fixture.request({});
    PermissionSheet& sheet = fixture.open();
    EXPECT_FALSE(sheet.requestBody().blockedList().isVisible());

    fixture.request(blockedPaths(7));
    BlockedPathList& list = sheet.requestBody().blockedList();
    EXPECT_TRUE(list.isVisible());
    EXPECT_FALSE(list.isExpanded());
    EXPECT_EQ(list.labelText(), "7 files still protected");
    list.disclosure().click();
    EXPECT_TRUE(list.isExpanded());
    const std::vector<QString> shown = list.shownPaths();
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[5].toStdString(), blockedPaths(6)[5]);
    EXPECT_EQ(list.moreText(), "+ 1 more");

    fixture.request(blockedPaths(40));
    EXPECT_EQ(list.labelText(), "40 files still protected");
    EXPECT_EQ(list.moreText(), "+ 34 more");
    EXPECT_TRUE(list.isExpanded()) << "the group keeps its own state while it is shown";

    fixture.request(blockedPaths(6));
    EXPECT_EQ(list.shownPaths().size(), 6u);
    EXPECT_EQ(list.moreText(), QString());

    // A long path keeps one line and loses its middle, so its start and its file name stay.
    const auto rows = list.findChildren<MiddleElidedLabel*>();
    const auto longRow = std::find_if(rows.begin(), rows.end(), [](const MiddleElidedLabel* row) {
        return row->text().endsWith(QStringLiteral("(signed).pdf"));
    });
    ASSERT_NE(longRow, rows.end());
    const QString drawn = (*longRow)->shownText();
    EXPECT_TRUE(drawn.contains(QChar(0x2026))) << drawn.toStdString();
    EXPECT_TRUE(drawn.startsWith(QStringLiteral("/home/sam/Library/Mail"))) << drawn.toStdString();
    EXPECT_TRUE(drawn.endsWith(QStringLiteral("(signed).pdf"))) << drawn.toStdString();
}

TEST(PermissionSheet, Screenshots) {
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        const QString suffix = QStringLiteral("-") + test::schemeName(scheme);
        for (const std::size_t count : {0u, 6u, 7u, 40u}) {
            SheetFixture fixture;
            fixture.request(blockedPaths(count));
            PermissionSheet& sheet = fixture.open(scheme);
            if (count > 0)
                sheet.requestBody().blockedList().setExpanded(true);
            test::saveScreenshot(sheet, QStringLiteral("permission-sheet-%1-paths").arg(count) + suffix);
        }
        SheetFixture help;
        help.request(blockedPaths(3));
        help.open(scheme).requestBody().helpToggle().click();
        test::saveScreenshot(*help.sheet, QStringLiteral("permission-sheet-help") + suffix);

        SheetFixture granted;
        granted.request(blockedPaths(3));
        granted.open(scheme);
        granted.access.grant();
        granted.access.clock->advance(1000ms);
        test::saveScreenshot(*granted.sheet, QStringLiteral("permission-sheet-confirmation") + suffix);
    }
}

} // namespace
} // namespace zn
