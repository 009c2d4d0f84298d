#include "Views/Components/ConfirmationDialog.h"
#include "Views/Components/ShadowPainter.h"
#include "Views/Dashboard/CompletedHero.h"
#include "Views/Dashboard/CompletedLayout.h"
#include "Views/Components/ActionButton.h"
#include "Views/Dashboard/DashboardTestSupport.h"
#include "appsupport/Screenshots.h"

#include <QPainter>
#include <QPainterPath>

namespace zn {
namespace {

using enum CleaningCategory;
constexpr std::int64_t GB = 1'000'000'000;
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
    ConfirmationDialog* dialog = view->reviewDialog();
    ASSERT_NE(dialog, nullptr);
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        test::useScheme(*view, scheme);
        test::useScheme(*dialog, scheme);
        settle();
        dialog->adjustSize();
        // The sheet over the dashboard, as the window shows it.
        QImage screen = view->grab().toImage();
        const QImage sheet = dialog->grab().toImage();
        {
            QPainter painter(&screen);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.fillRect(screen.rect(), QColor(0, 0, 0, scheme == ColorScheme::dark ? 90 : 40));
            const QRectF frame(QPointF((screen.width() - sheet.width()) / 2.0, 60), QSizeF(sheet.size()));
            paintRoundedShadow(painter, frame, 12, {18, QPointF(0, 8), QColor(0, 0, 0, 90)});
            QPainterPath rounded;
            rounded.addRoundedRect(frame, 12, 12);
            painter.setClipPath(rounded);
            painter.drawImage(frame.topLeft(), sheet);
        }
        screen.save(QStringLiteral(ZN_SCREENSHOT_DIR "/dashboard-review-dialog-") + test::schemeName(scheme) +
                    QStringLiteral(".png"));
    }
    dialog->reject();
}

} // namespace
} // namespace zn
