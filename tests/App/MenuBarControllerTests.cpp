#include "App/MenuBarController.h"
#include "appsupport/AppHarness.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::menuRows;
using test::waitUntil;

struct Tray {
    test::AppStateHarness fakes;
    int openedWindows = 0;
    int openedSettings = 0;
    test::FakeDesktopColorScheme desktop;
    MenuBarController controller{{[this] { ++openedSettings; }, [] {}}, desktop};

    AppState& configure(bool onboardingComplete = true) {
        AppState& state = fakes.makeState();
        controller.configure(&state, onboardingComplete, [this] { ++openedWindows; });
        return state;
    }
};

TEST(MenuBarController, TheWorkingRowShowsOnlyWhileAScanRuns) {
    Tray tray;
    AppState& state = tray.configure();
    EXPECT_EQ(menuRows(tray.controller.menu()),
              (std::vector<std::string>{"Open Zelva Nexal", "---", "Scan my Mac", "Clear browser privacy",
                                        "---", "Quit Zelva Nexal"}));

    tray.fakes.scanner->gate(CleaningCategory::systemJunk).close();
    state.startSmartScan();
    EXPECT_TRUE(tray.controller.isWorking());
    EXPECT_EQ(menuRows(tray.controller.menu()),
              (std::vector<std::string>{"Open Zelva Nexal", "---", "Scan my Mac (off)",
                                        "Clear browser privacy (off)", "---",
                                        "Zelva Nexal is working... (off)", "---", "Quit Zelva Nexal"}));
    tray.fakes.scanner->gate(CleaningCategory::systemJunk).open();
    ASSERT_TRUE(waitUntil([&] { return state.scanState().kind() == ScanState::Kind::completed; }));
    EXPECT_EQ(menuRows(tray.controller.menu()).size(), 6u);
}

TEST(MenuBarController, AllowMoreAccessOnlyWithoutAccess) {
    Tray tray;
    *tray.fakes.fullDiskAccess = false;
    AppState& state = tray.configure();
    EXPECT_EQ(test::findAction(tray.controller.menu(), "Allow more access..."), nullptr);
    state.checkFullDiskAccess();
    ASSERT_TRUE(waitUntil([&] { return !state.hasFullDiskAccess(); }));
    QAction* allow = test::findAction(tray.controller.menu(), "Allow more access...");
    ASSERT_NE(allow, nullptr);
    tray.controller.perform(MenuBarAction::openAccessSettings);
    EXPECT_EQ(tray.openedSettings, 1);
    EXPECT_EQ(tray.openedWindows, 1);
}

TEST(MenuBarController, ASecondClickWhileTheMenuIsOpenDoesNothing) {
    Tray tray;
    tray.configure();
    tray.controller.statusBarButtonClicked();
    ASSERT_TRUE(tray.controller.isMenuOpen());
    EXPECT_TRUE(tray.controller.menu().isVisible());
    const QList<QAction*> shown = tray.controller.menu().actions();
    tray.controller.statusBarButtonClicked();
    EXPECT_EQ(tray.controller.menu().actions(), shown);
    EXPECT_TRUE(tray.controller.isMenuOpen());

    tray.controller.menu().hide();
    EXPECT_FALSE(tray.controller.isMenuOpen());
    tray.controller.statusBarButtonClicked();
    EXPECT_NE(tray.controller.menu().actions(), shown);
    tray.controller.menu().hide();
}

TEST(MenuBarController, ScanActionsWaitForOnboarding) {
    Tray tray;
    tray.configure(false);
    EXPECT_EQ(menuRows(tray.controller.menu()),
              (std::vector<std::string>{"Open Zelva Nexal", "---", "Scan my Mac (off)",
                                        "Clear browser privacy (off)", "---", "Quit Zelva Nexal"}));
}

} // namespace
} // namespace zn
