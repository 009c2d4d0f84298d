#include "ViewModels/AppState.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/LinkButton.h"
#include "Views/Kit/Theme/AppIcon.h"
#include "Views/Kit/Theme/ThemeManager.h"
#include "Views/MainWindow/MainToolbar.h"
#include "Views/MainWindow/MainWindow.h"
#include "Views/Permission/BlockedPathList.h"
#include "Views/Permission/PermissionGrantedBody.h"
#include "Views/Permission/PermissionRequestBody.h"
#include "Views/Permission/PermissionSheet.h"
#include "Views/Permission/PermissionSheetHeader.h"
#include "Views/Permission/PermissionSheetPresenter.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/Screenshots.h"
#include "appsupport/SwitchableAccess.h"

#include <QApplication>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using namespace std::chrono_literals;
using Fate = test::FakeCleaningService::Fate;
using test::processQueuedWork;
using test::waitUntil;

// The main window over a state that asks the real permission coordinator, with Full Disk Access switched
// off for both the state's probe and the coordinator's; one virtual clock for all of them.
class PermissionFlow : public ::testing::Test {
protected:
    test::AppStateHarness fakes;
    test::SwitchableAccess access;
    std::unique_ptr<ThemeManager> theme;
    std::unique_ptr<MainWindow> window;
    AppState* state = nullptr;
    std::vector<CleanableItem> survivors;

    void SetUp() override {
        QApplication::setWindowIcon(applicationIcon());
        access.clock = fakes.clock;
        access.coordinator = access.makeCoordinator();
        fakes.realPermission = permissionRequester(*access.coordinator);
        fakes.fullDiskAccess->store(false);
        state = &fakes.makeState();
        theme = std::make_unique<ThemeManager>(*fakes.defaults);
        window = std::make_unique<MainWindow>(ScreenServices{*state, *access.coordinator, *theme,
                                                             *access.fileViewer, *fakes.prompter, *access.opener});
        window->resize(1280, 760);
        window->show();
        processQueuedWork();
    }
    void TearDown() override {
        window.reset();
        QApplication::setWindowIcon(QIcon());
        QThreadPool::globalInstance()->waitForDone();
        processQueuedWork();
    }

    // A clean whose two items stay behind because access is missing.
    void failCleanForLackOfAccess() {
        for (const char* path : {"Library/Mail/V10/MailData/Envelope Index", "Library/Safari/CloudTabs.db"}) {
            auto item = test::makeItem(systemJunk, fakes.tree.file(path, 10), 10, true);
            fakes.cleaner->setFate(item.path, Fate::leftAlone);
            survivors.push_back(item);
        }
        state->setCategoryResults({{systemJunk, test::makeResult(systemJunk, survivors)}});
        state->cleanAll();
        ASSERT_TRUE(waitUntil([&] { return state->scanState() == ScanState::cleaned(); }));
        processQueuedWork();
        processQueuedWork();
    }
    PermissionSheet* sheet() const {
        return qobject_cast<PermissionSheet*>(window->permissionSheet().sheet());
    }
    void grantAccess() {
        for (const CleanableItem& item : survivors)
            fakes.cleaner->setFate(item.path, Fate::removed);
        fakes.fullDiskAccess->store(true);
        access.grant();
    }
    std::size_t retries() const { return fakes.cleaner->cleanCalls().size() - 1; }
};

TEST_F(PermissionFlow, AFailedCleanShowsTheSheetAndAGrantRetriesOnce) {
    failCleanForLackOfAccess();
    ASSERT_NE(sheet(), nullptr);
    EXPECT_TRUE(sheet()->isVisible());
    EXPECT_EQ(window->cleanFailureAlert(), nullptr);
    EXPECT_EQ(sheet()->header().title(), "Allow access to remove 2 item(s)");

    grantAccess();
    fakes.clock->advance(1000ms);
    ASSERT_NE(sheet(), nullptr);
    EXPECT_TRUE(sheet()->grantedBody().isVisible());
    EXPECT_EQ(retries(), 0u);
    fakes.clock->advance(1000ms);
    ASSERT_TRUE(waitUntil([&] { return retries() == 1; }));
    EXPECT_EQ(fakes.cleaner->cleanCalls()[1], survivors);
    processQueuedWork();
    EXPECT_EQ(sheet(), nullptr);
    ASSERT_TRUE(waitUntil([&] { return state->scanState() == ScanState::cleaned(); }));
    fakes.clock->advance(5s);
    EXPECT_EQ(retries(), 1u);
    EXPECT_EQ(window->cleanFailureAlert(), nullptr);
}

TEST_F(PermissionFlow, SkipAndEscapeNeverRetry) {
    for (const bool escape : {false, true}) {
        survivors.clear();
        failCleanForLackOfAccess();
        ASSERT_NE(sheet(), nullptr);
        const std::size_t cleansBefore = fakes.cleaner->cleanCalls().size();
        if (escape)
            QTest::keyClick(sheet(), Qt::Key_Escape);
        else
            sheet()->skipButton().click();
        processQueuedWork();
        EXPECT_EQ(sheet(), nullptr);
        EXPECT_FALSE(access.coordinator->isRequesting());
        access.grant();
        fakes.clock->advance(5s);
        EXPECT_EQ(fakes.cleaner->cleanCalls().size(), cleansBefore);
        access.revoke();
    }
}

TEST_F(PermissionFlow, TheSheetOverTheWindow) {
    failCleanForLackOfAccess();
    ASSERT_NE(sheet(), nullptr);
    sheet()->requestBody().blockedList().setExpanded(true);
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        test::useScheme(*window, scheme);
        test::useScheme(*sheet(), scheme);
        test::saveScreenshotWithSheet(*window, *sheet(), MainToolbar::kHeight,
                                      QStringLiteral("permission-sheet-over-window-") + test::schemeName(scheme));
    }
}

TEST_F(PermissionFlow, AccessAlreadyThereRetriesAtOnceWithoutASheet) {
    access.grant();
    int retried = 0;
    access.coordinator->requestAccess(PermissionPromptContext::cleanup(1), {"/a"}, [&] { ++retried; });
    processQueuedWork();
    EXPECT_EQ(retried, 1);
    EXPECT_EQ(sheet(), nullptr);
    fakes.clock->advance(5s);
    EXPECT_EQ(retried, 1);
}

} // namespace
} // namespace zn
