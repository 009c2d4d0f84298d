#include "ViewModels/AppState.h"
#include "Views/Apps/AppListView.h"
#include "Views/CategoryDetail/CategoryDetailView.h"
#include "Views/Dashboard/DashboardView.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Controls/AppearancePill.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Controls/SymbolButton.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/MainWindow/AccessBanner.h"
#include "Views/MainWindow/HealthFooter.h"
#include "Views/MainWindow/MainToolbar.h"
#include "Views/MainWindow/MainWindow.h"
#include "Views/MainWindow/Sidebar.h"
#include "Views/MainWindow/SidebarRow.h"
#include "Views/Orphans/OrphanListView.h"
#include "Views/Permission/PermissionSheetPresenter.h"
#include "appsupport/MainWindowHarness.h"
#include "appsupport/Screenshots.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGuiApplication>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using test::makeItem;
using test::makeResult;
using test::processQueuedWork;
using test::waitUntil;

class MainWindowTest : public ::testing::Test {
protected:
    test::MainWindowHarness harness;
    AppState& state = harness.state;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(harness.services());

    // Showing the first window may make the program active, which probes access: the probes end here.
    void show(MainWindow& shown) {
        shown.resize(1280, 760);
        shown.show();
        processQueuedWork();
        QThreadPool::globalInstance()->waitForDone();
        processQueuedWork();
    }
    void click(const AppSection& section) { QTest::mouseClick(&window->sidebar().row(section), Qt::LeftButton); }
    bool bannerShown() const { return window->accessBanner().isVisibleTo(window.get()); }
    QString screenTitle() const {
        auto* empty = qobject_cast<EmptyStateView*>(window->detailScreen());
        return empty ? empty->title() : QString();
    }
    // A clean's finishing sequence as the state writes it: the flag first, then the retry list and the text.
    std::vector<CleanableItem> finishCleanWithFailure(bool fixable, const std::string& message) {
        std::vector<CleanableItem> survivors{makeItem(systemJunk, "/u/Library/Logs/a.log", 10, true),
                                             makeItem(systemJunk, "/u/Library/Logs/b.log", 20, true)};
        state.setCleanErrorIsFDAFixable(fixable);
        state.setPendingPermissionRetryItems(survivors);
        state.setCleanError(message);
        return survivors;
    }
    std::vector<std::string> pathsOf(const std::vector<CleanableItem>& items) {
        std::vector<std::string> paths;
        for (const CleanableItem& item : items)
            paths.push_back(item.path);
        return paths;
    }
};

TEST_F(MainWindowTest, EverySelectionRoutesToItsScreen) {
    EXPECT_EQ(detailScreenFor(std::nullopt), DetailScreen::nothingSelected);
    EXPECT_EQ(detailScreenFor(AppSection::apps()), DetailScreen::installedApps);
    EXPECT_EQ(detailScreenFor(AppSection::orphans()), DetailScreen::oldAppLeftovers);
    EXPECT_EQ(detailScreenFor(AppSection::cleaning(smartScan)), DetailScreen::dashboard);
    for (CleaningCategory category : scannableCategories())
        EXPECT_EQ(detailScreenFor(AppSection::cleaning(category)), DetailScreen::categoryDetail);
    show(*window);

    // At launch: Quick Clean, selected in the sidebar.
    EXPECT_EQ(window->selectedSection(), AppSection::cleaning(smartScan));
    EXPECT_EQ(window->detailScreenKind(), DetailScreen::dashboard);
    EXPECT_TRUE(window->sidebar().row(AppSection::cleaning(smartScan)).isSelected());
    EXPECT_NE(qobject_cast<DashboardView*>(window->detailScreen()), nullptr);
    EXPECT_EQ(window->toolbar().title().text(), "Zelva Nexal");

    // The uninstaller screens carry their titles in their own title bars.
    click(AppSection::apps());
    EXPECT_EQ(window->detailScreenKind(), DetailScreen::installedApps);
    auto* apps = qobject_cast<AppListView*>(window->detailScreen());
    ASSERT_NE(apps, nullptr);
    EXPECT_FALSE(window->sidebar().row(AppSection::cleaning(smartScan)).isSelected());
    EXPECT_TRUE(window->sidebar().row(AppSection::apps()).isSelected());
    EXPECT_EQ(window->toolbar().searchField(), &apps->searchField());
    click(AppSection::orphans());
    EXPECT_NE(qobject_cast<OrphanListView*>(window->detailScreen()), nullptr);
    EXPECT_EQ(window->toolbar().searchField(), nullptr);

    // One category screen serves every category: its filter stays, its category changes.
    click(AppSection::cleaning(largeFiles));
    auto* categories = qobject_cast<CategoryDetailView*>(window->detailScreen());
    ASSERT_NE(categories, nullptr);
    EXPECT_EQ(categories->category(), largeFiles);
    ASSERT_EQ(window->toolbar().searchField(), &categories->searchField());
    EXPECT_TRUE(categories->searchField().isVisibleTo(window.get()));
    EXPECT_EQ(window->toolbar().title().text(), "Large Files");
    categories->searchField().setText("report");
    click(AppSection::cleaning(trashBins));
    EXPECT_EQ(window->detailScreen(), categories);
    EXPECT_EQ(categories->category(), trashBins);
    EXPECT_EQ(categories->searchField().text(), "report");
    EXPECT_EQ(window->toolbar().title().text(), "Trash");

    // A screen of another kind starts afresh; the old one and its field go with it.
    QPointer<SearchField> field = &categories->searchField();
    click(AppSection::cleaning(smartScan));
    EXPECT_EQ(window->toolbar().searchField(), nullptr);
    processQueuedWork();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(field.isNull());
    click(AppSection::cleaning(trashBins));
    categories = qobject_cast<CategoryDetailView*>(window->detailScreen());
    ASSERT_NE(categories, nullptr);
    EXPECT_TRUE(categories->searchField().text().isEmpty());

    window->setSelectedSection(std::nullopt);
    EXPECT_EQ(screenTitle(), "Zelva Nexal");
    for (SidebarRow* row : window->sidebar().rows())
        EXPECT_FALSE(row->isSelected());
}

TEST_F(MainWindowTest, TheToolbarIsFixedAndWritesTheAppearance) {
    MainToolbar& toolbar = window->toolbar();
    EXPECT_FALSE(toolbar.isMovable());
    EXPECT_FALSE(toolbar.isFloatable());
    show(*window);
    AppearancePill& pill = toolbar.appearanceSwitch();
    EXPECT_LT(pill.mapTo(window.get(), QPoint()).x(), 40); // the leading edge
    QTest::mouseClick(&pill, Qt::LeftButton, {}, pill.buttonRect(AppearanceMode::dark).center());
    EXPECT_EQ(harness.theme->rawValue(), "dark");
}

// The uninstaller and the leftovers screen put their title and buttons in the toolbar row, as the
// category screens put their title and field there, and take them back when another screen comes.
TEST_F(MainWindowTest, TheUninstallerAndTheLeftoversKeepTitleAndButtonsInTheToolbarRow) {
    state.setInstalledApps(std::vector<InstalledApp>(3));
    state.setOrphanedFiles({"/home/ana/Library/Caches/com.gone.app"});
    show(*window);
    MainToolbar& toolbar = window->toolbar();
    const auto inToolbarRow = [&](QWidget& widget) {
        if (!widget.isVisible() || !toolbar.isAncestorOf(&widget))
            return false;
        return toolbar.rect().contains(QRect(widget.mapTo(&toolbar, QPoint()), widget.size()));
    };

    click(AppSection::apps());
    processQueuedWork();
    auto* apps = qobject_cast<AppListView*>(window->detailScreen());
    ASSERT_NE(apps, nullptr);
    EXPECT_EQ(toolbar.title().text(), "Uninstall Apps (3)");
    ASSERT_TRUE(inToolbarRow(apps->rescanButton()));
    ASSERT_TRUE(inToolbarRow(apps->searchField()));
    EXPECT_LT(apps->rescanButton().mapTo(&toolbar, QPoint()).x(), apps->searchField().mapTo(&toolbar, QPoint()).x());
    // Under the toolbar the screen starts with its panes: no second band.
    EXPECT_EQ(apps->splitter().mapTo(apps, QPoint()).y(), 0);

    click(AppSection::orphans());
    processQueuedWork();
    auto* leftovers = qobject_cast<OrphanListView*>(window->detailScreen());
    ASSERT_NE(leftovers, nullptr);
    EXPECT_EQ(toolbar.title().text(), "Old app leftovers (1)");
    EXPECT_TRUE(inToolbarRow(leftovers->selectToggleButton()));
    EXPECT_TRUE(inToolbarRow(leftovers->scanButton()));
    EXPECT_EQ(leftovers->content().mapTo(leftovers, QPoint()).y(), 0);
    EXPECT_EQ(toolbar.searchField(), nullptr);

    click(AppSection::cleaning(systemJunk));
    processQueuedWork();
    EXPECT_EQ(toolbar.items(), nullptr);
    EXPECT_EQ(toolbar.title().text(), QString::fromUtf8(displayName(systemJunk)));
}

TEST_F(MainWindowTest, TheBannerShowsWhileAccessIsMissingUntilDismissed) {
    show(*window);
    // Access counts as granted until the first probe says otherwise.
    EXPECT_FALSE(bannerShown());
    state.setHasFullDiskAccess(false);
    EXPECT_TRUE(bannerShown());
    click(AppSection::apps());
    EXPECT_TRUE(bannerShown());
    state.setHasFullDiskAccess(true);
    EXPECT_FALSE(bannerShown());

    state.setHasFullDiskAccess(false);
    window->accessBanner().closeButton().click();
    EXPECT_TRUE(state.fdaBannerDismissed());
    EXPECT_FALSE(bannerShown());
    click(AppSection::cleaning(largeFiles));
    EXPECT_FALSE(bannerShown());
}

TEST_F(MainWindowTest, SetUpAsksForAccessAndReadsItAgainOnceGranted) {
    show(*window);
    state.setHasFullDiskAccess(false);
    window->accessBanner().setUpButton().click();
    EXPECT_TRUE(harness.permission->isRequesting());
    EXPECT_EQ(harness.permission->context(), PermissionPromptContext::general());
    EXPECT_TRUE(harness.permission->failedItemPaths().empty());
    ASSERT_NE(window->permissionSheet().sheet(), nullptr);
    EXPECT_TRUE(window->permissionSheet().sheet()->isVisible());

    harness.permission->dismiss(true);
    ASSERT_TRUE(waitUntil([&] { return state.hasFullDiskAccess(); }));
    EXPECT_FALSE(bannerShown());
}

TEST_F(MainWindowTest, BecomingActiveReadsAccessAgain) {
    show(*window);
    state.setHasFullDiskAccess(false);
    harness.setCoordinatorAccess(true);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    processQueuedWork();
    EXPECT_FALSE(state.hasFullDiskAccess());

    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    ASSERT_TRUE(waitUntil([&] { return state.hasFullDiskAccess() && harness.permission->hasFullDiskAccess(); }));
    EXPECT_FALSE(bannerShown());
    EXPECT_EQ(window->sidebar().footer().title().text(), "Ready to clean");
}

TEST_F(MainWindowTest, AFixableFailureGoesToThePromptAfterTheStateFinishedWritingIt) {
    show(*window);
    // The flag is written before the retry list: a reaction that ran at once would take the old, empty list.
    auto survivors = finishCleanWithFailure(true, "Couldn't remove 2 items.");
    processQueuedWork();
    ASSERT_EQ(harness.fakes.permission->requests.size(), 1u);
    EXPECT_EQ(harness.fakes.permission->requests[0].context, PermissionPromptContext::cleanup(2));
    EXPECT_EQ(harness.fakes.permission->requests[0].failedPaths, pathsOf(survivors));
    EXPECT_FALSE(state.cleanError());
    EXPECT_FALSE(state.cleanErrorIsFDAFixable());
    EXPECT_EQ(state.pendingPermissionRetryItems(), survivors);
    processQueuedWork();
    EXPECT_EQ(window->cleanFailureAlert(), nullptr);
}

TEST_F(MainWindowTest, EveryFixableFailureIsHandedOffAlsoOneSetTwice) {
    show(*window);
    finishCleanWithFailure(true, "first");
    processQueuedWork();
    auto second = finishCleanWithFailure(true, "second");
    // Written true again before the window's turn: still one hand-off for it, with the newest list.
    state.setCleanErrorIsFDAFixable(true);
    processQueuedWork();
    ASSERT_EQ(harness.fakes.permission->requests.size(), 2u);
    EXPECT_EQ(harness.fakes.permission->requests[1].failedPaths, pathsOf(second));
    EXPECT_FALSE(state.cleanErrorIsFDAFixable());
    EXPECT_EQ(window->cleanFailureAlert(), nullptr);
}

TEST_F(MainWindowTest, AFailureThatArrivedWithNoWindowOpenIsHandedOffWhenOneAppears) {
    window.reset();
    auto survivors = finishCleanWithFailure(true, "Couldn't remove 2 items.");
    processQueuedWork();
    EXPECT_TRUE(state.cleanErrorIsFDAFixable());

    window = std::make_unique<MainWindow>(harness.services());
    show(*window);
    processQueuedWork();
    ASSERT_EQ(harness.fakes.permission->requests.size(), 1u);
    EXPECT_EQ(harness.fakes.permission->requests[0].failedPaths, pathsOf(survivors));
    EXPECT_FALSE(state.cleanError());
    EXPECT_EQ(window->cleanFailureAlert(), nullptr);
}

TEST_F(MainWindowTest, OtherFailuresAreShownUntilDismissed) {
    show(*window);
    finishCleanWithFailure(false, "Couldn't remove stuck.log. They may be in use or protected by macOS.");
    processQueuedWork();
    AlertDialog* alert = window->cleanFailureAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->isVisible());
    EXPECT_EQ(alert->windowModality(), Qt::WindowModal);
    EXPECT_EQ(alert->title(), "Couldn't clean everything");
    EXPECT_EQ(alert->message(), "Couldn't remove stuck.log. They may be in use or protected by macOS.");
    ASSERT_EQ(alert->buttons().size(), 1u);
    EXPECT_EQ(alert->buttons()[0]->text(), "OK");
    EXPECT_TRUE(harness.fakes.permission->requests.empty());

    alert->buttons()[0]->click();
    processQueuedWork();
    EXPECT_FALSE(state.cleanError());
    EXPECT_EQ(window->cleanFailureAlert(), nullptr);
    processQueuedWork();
    EXPECT_EQ(window->cleanFailureAlert(), nullptr); // not again until a new failure

    // Closed another way (Escape): the message is cleared all the same.
    state.setCleanError("Couldn't remove 1 item.");
    processQueuedWork();
    ASSERT_NE(window->cleanFailureAlert(), nullptr);
    window->cleanFailureAlert()->reject();
    processQueuedWork();
    EXPECT_FALSE(state.cleanError());
}

TEST_F(MainWindowTest, TheSheetFollowsThePromptAndClosingItDropsTheRetry) {
    int retries = 0;
    PermissionSheetPresenter presenter(*harness.permission, *window,
                                       [](PermissionCoordinator&, QWidget* parent) { return new QDialog(parent); });
    show(*window);
    harness.permission->requestAccess(PermissionPromptContext::cleanup(1), {"/a"}, [&] { ++retries; });
    ASSERT_NE(presenter.sheet(), nullptr);
    EXPECT_TRUE(presenter.sheet()->isVisible());
    EXPECT_EQ(presenter.sheet()->windowModality(), Qt::WindowModal);

    presenter.sheet()->reject(); // Escape
    processQueuedWork();
    EXPECT_FALSE(harness.permission->isRequesting());
    EXPECT_EQ(presenter.sheet(), nullptr);
    EXPECT_EQ(retries, 0);

    // Ended by the prompt itself: the sheet goes and the retry runs once.
    harness.permission->requestAccess(PermissionPromptContext::cleanup(1), {"/a"}, [&] { ++retries; });
    QPointer<QDialog> sheet = presenter.sheet();
    ASSERT_FALSE(sheet.isNull());
    harness.permission->dismiss(true);
    processQueuedWork();
    EXPECT_TRUE(sheet.isNull() || !sheet->isVisible());
    EXPECT_EQ(retries, 1);
}

TEST_F(MainWindowTest, Screenshots) {
    using test::makeItem;
    const auto result = [](CleaningCategory category, std::vector<std::pair<std::string, std::int64_t>> files) {
        std::vector<CleanableItem> items;
        for (const auto& [path, size] : files)
            items.push_back(makeItem(category, path, size, category != largeFiles));
        return makeResult(category, std::move(items));
    };
    std::map<CleaningCategory, CategoryResult> results{
        {systemJunk, result(systemJunk, {{"/home/ana/Library/Logs/DiagnosticReports", 48'200'000},
                                         {"/home/ana/Library/Logs/install.log", 3'100'000},
                                         {"/home/ana/Library/Logs/com.apple.xpc.launchd", 912'000}})},
        {userCache, result(userCache, {{"/home/ana/Library/Caches/com.spotify.client", 1'240'000'000},
                                       {"/home/ana/Library/Caches/org.mozilla.firefox", 388'000'000}})},
        {largeFiles, result(largeFiles, {{"/home/ana/Movies/Holiday 2023.mov", 4'820'000'000}})},
        {nodeCache, result(nodeCache, {})},
    };
    std::int64_t total = 0;
    for (const auto& [category, found] : results)
        total += found.totalSize;
    state.setCategoryResults(results);
    state.setTotalJunkSize(total);
    // Named and sized like a real list, so the uninstaller's screenshot shows rows as a user sees them.
    const char* const names[] = {"Arc", "Blender", "Docker", "Figma", "GIMP", "Inkscape", "Notion", "OBS Studio",
                                 "Slack", "Spotify", "Telegram", "VLC", "Zoom"};
    std::vector<InstalledApp> apps;
    for (int index = 0; index < 37; ++index) {
        const std::string name = names[index % std::size(names)] +
                                 (index < static_cast<int>(std::size(names)) ? std::string()
                                                                             : " " + std::to_string(index));
        apps.push_back({Uuid::random(), name, "com.example." + std::to_string(index),
                        "/Applications/" + name + ".app", 40'000'000 + index * 7'300'000});
    }
    state.setInstalledApps(apps);
    processQueuedWork();
    show(*window);
    click(AppSection::cleaning(systemJunk));
    processQueuedWork();

    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        const QString suffix = QStringLiteral("-") + test::schemeName(scheme);
        test::useScheme(*window, scheme);
        state.setHasFullDiskAccess(true);
        test::saveScreenshot(*window, QStringLiteral("main-window-results") + suffix);

        state.setHasFullDiskAccess(false);
        processQueuedWork();
        test::saveScreenshot(*window, QStringLiteral("main-window-limited-access") + suffix);

        state.setHasFullDiskAccess(true);
        state.setCleanErrorIsFDAFixable(false);
        state.setCleanError("Couldn't remove install.log. They may be in use or protected by macOS.");
        processQueuedWork();
        ASSERT_NE(window->cleanFailureAlert(), nullptr);
        test::useScheme(*window->cleanFailureAlert(), scheme);
        processQueuedWork();
        test::saveScreenshotWithSheet(*window, *window->cleanFailureAlert(), MainToolbar::kHeight + 8,
                                      QStringLiteral("main-window-alert") + suffix);
        window->cleanFailureAlert()->buttons()[0]->click();
        processQueuedWork();

        click(AppSection::apps());
        processQueuedWork();
        test::saveScreenshot(*window, QStringLiteral("main-window-apps") + suffix);
        click(AppSection::orphans());
        processQueuedWork();
        test::saveScreenshot(*window, QStringLiteral("main-window-leftovers") + suffix);
        click(AppSection::cleaning(systemJunk));
        processQueuedWork();
    }
}

} // namespace
} // namespace zn
