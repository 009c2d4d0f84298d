#include "Views/Dashboard/CompletedHero.h"
#include "Views/Dashboard/CompletedLayout.h"
#include "Views/Dashboard/DashboardTestSupport.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Feedback/AlertDialog.h"
#include "Views/MainWindow/MainWindow.h"
#include "appsupport/MainWindowHarness.h"
#include "appsupport/Screenshots.h"

#include <QThreadPool>

namespace zn {
namespace {

using enum CleaningCategory;
constexpr std::int64_t MB = 1'000'000;

class DashboardScreenshotTest : public test::DashboardTest {
protected:
    DashboardScreenshotTest() {
        setDisk(494'384'795'648, 301'200'000'000);
        std::vector<InstalledApp> apps(47);
        state.setInstalledApps(apps);
    }

    void foundResults() {
        setResults({resultOf(systemJunk, 120, 9 * MB, true), resultOf(userCache, 80, 21 * MB, true),
                    resultOf(trashBins, 12, 30 * MB, false), resultOf(largeFiles, 3, 800 * MB, false),
                    resultOf(xcodeJunk, 40, 35 * MB, false), resultOf(nodeCache, 15, 12 * MB, false)});
    }

    void shoot(const char* name) {
        for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
            test::useScheme(*view, scheme);
            settle();
            test::saveScreenshot(*view, QStringLiteral("dashboard-%1-%2").arg(name, test::schemeName(scheme)));
        }
    }
};

TEST_F(DashboardScreenshotTest, Idle) {
    foundResults();
    state.setHasFullDiskAccess(false);
    shoot("idle");
}

TEST_F(DashboardScreenshotTest, IdleWithLowSpace) {
    setDisk(494'384'795'648, 452'600'000'000);
    shoot("idle-lowspace");
}

TEST_F(DashboardScreenshotTest, Scanning) {
    setResults({resultOf(systemJunk, 120, 9 * MB, true), resultOf(userCache, 80, 21 * MB, true)});
    state.setCurrentScanCategory("Mac-managed Space");
    state.setScanProgress(0.63);
    state.setScanState(ScanState::scanning(0.63, "Mac-managed Space"));
    shoot("scanning");
}

TEST_F(DashboardScreenshotTest, Results) {
    foundResults();
    state.setScanState(ScanState::completed());
    shoot("results");
}

TEST_F(DashboardScreenshotTest, Cleaning) {
    state.setCleanProgress(0.46);
    state.setScanState(ScanState::cleaning(0.46));
    shoot("cleaning");
}

TEST_F(DashboardScreenshotTest, CleanedWithConfettiMidBurst) {
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        state.setScanState(ScanState::idle());
        state.setTotalFreedSpace(3'160 * MB);
        state.setScanState(ScanState::cleaned());
        harness.clock->advance(std::chrono::milliseconds(1100));
        test::useScheme(*view, scheme);
        settle();
        ASSERT_GT(view->confetti().piecesNow().size(), 50u);
        test::saveScreenshot(*view, QStringLiteral("dashboard-cleaned-%1").arg(test::schemeName(scheme)));
        harness.clock->advance(std::chrono::seconds(4));
    }
}

TEST_F(DashboardScreenshotTest, ReviewDialog) {
    foundResults();
    state.setScanState(ScanState::completed());
    state.selectAllInCategory(largeFiles);
    settle();
    view->completedLayout().hero().cleanButton().click();
    AlertDialog* dialog = view->reviewDialog();
    ASSERT_NE(dialog, nullptr);
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        test::useScheme(*view, scheme);
        test::useScheme(*dialog, scheme);
        settle();
        test::saveScreenshotWithSheet(*view, *dialog, 60,
                                      QStringLiteral("dashboard-review-dialog-") + test::schemeName(scheme));
    }
    dialog->reject();
}

TEST(MainWindowDashboardScreenshotTest, QuickCleanInTheWindow) {
    test::MainWindowHarness harness;
    harness.state.setDiskInfo({494'384'795'648, 193'184'795'648, 301'200'000'000, 0});
    harness.state.setInstalledApps(std::vector<InstalledApp>(37));
    MainWindow window(harness.services());
    window.resize(1280, 760);
    window.show();
    QThreadPool::globalInstance()->waitForDone();
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        test::useScheme(window, scheme);
        test::DashboardTest::settle();
        ASSERT_NE(qobject_cast<DashboardView*>(window.detailScreen()), nullptr);
        test::saveScreenshot(window, QStringLiteral("main-window-quick-clean-") + test::schemeName(scheme));
    }
}

} // namespace
} // namespace zn
