#include "ViewModels/AppState.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/SwitchToggle.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/ThemeManager.h"
#include "Views/MainWindow/MainWindow.h"
#include "Views/MainWindow/Sidebar.h"
#include "Views/MainWindow/SidebarRow.h"
#include "Views/Onboarding/OnboardingBottomBar.h"
#include "Views/Onboarding/OnboardingView.h"
#include "Views/Onboarding/ReadyScene.h"
#include "Views/Settings/GeneralSettingsView.h"
#include "Views/Settings/SettingsView.h"
#include "appsupport/AppHarness.h"
#include "appsupport/Screenshots.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace zn {
namespace {

using test::findAction;
using test::waitUntil;

TEST(ZelvaNexalApp, ScanMyMacWithEveryWindowClosedOpensAWindowAndScans) {
    test::AppHarness harness(true);
    harness.fakes.scanner->setResult(test::makeResult(
        CleaningCategory::systemJunk,
        {test::makeItem(CleaningCategory::systemJunk, "/u/Library/Logs/a.log", 4'200'000, true),
         test::makeItem(CleaningCategory::systemJunk, "/u/Library/Logs/b.log", 900, true)}));
    harness.fakes.scanner->setResult(
        test::makeResult(CleaningCategory::userCache,
                         {test::makeItem(CleaningCategory::userCache, "/u/Library/Caches/com.example.app",
                                         73'000'000, true)}));

    harness.app->start();
    ASSERT_EQ(harness.windows().size(), 1u);
    EXPECT_TRUE(harness.app->hasAppState());
    EXPECT_TRUE(harness.app->menuBar().hasStatusItem());
    EXPECT_EQ(harness.windows()[0]->windowTitle(), "Zelva Nexal");
    EXPECT_NE(qobject_cast<MainWindow*>(harness.windows()[0]->centralWidget()), nullptr);

    harness.closeAllWindows();
    ASSERT_TRUE(harness.windows().empty());
    // Closing the last window ends nothing: the tray item and the state remain.
    EXPECT_TRUE(harness.app->hasAppState());

    QMenu& menu = harness.app->menuBar().menu();
    harness.app->menuBar().rebuildMenu();
    QAction* scan = findAction(menu, "Scan my Mac");
    ASSERT_NE(scan, nullptr);
    ASSERT_TRUE(scan->isEnabled());
    scan->trigger();
    ASSERT_TRUE(waitUntil([&] { return harness.windows().size() == 1; }));
    AppState& state = harness.app->appState();
    ASSERT_TRUE(waitUntil([&] { return state.scanState().kind() == ScanState::Kind::completed; }));
    EXPECT_EQ(
        harness.fakes.scanner->scannedCategories(),
        (std::vector<CleaningCategory>{CleaningCategory::systemJunk, CleaningCategory::userCache,
                                       CleaningCategory::purgeableSpace, CleaningCategory::privacySweep}));

    AppWindow* window = harness.windows()[0];
    auto* content = qobject_cast<MainWindow*>(window->centralWidget());
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(content->sidebar().row(AppSection::cleaning(CleaningCategory::smartScan)).badge(), "77.2 MB");
    // The window is never smaller than its content allows.
    EXPECT_GE(window->minimumSize().width(), MainWindow::kMinimumSize.width());
    EXPECT_GE(window->minimumSize().height(), MainWindow::kMinimumSize.height());
}

// The WCAG relative luminance of an opaque colour.
double luminance(const QColor& color) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

// The icon at its panel size drawn over a panel of `panel`.
QImage onPanel(const QIcon& icon, const QColor& panel) {
    QImage image(18, 18, QImage::Format_ARGB32_Premultiplied);
    image.fill(panel);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, icon.pixmap(18, 18));
    return image;
}

// The part of the picture that stands out from `panel` by at least `ratio`: its pixel count and extent.
struct ContrastingPart {
    int pixels = 0;
    QRect extent;
};

ContrastingPart contrastingPart(const QImage& shown, const QColor& panel, double ratio) {
    const double background = luminance(panel);
    ContrastingPart part;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const double pixel = luminance(shown.pixelColor(x, y));
            if ((std::max(pixel, background) + 0.05) / (std::min(pixel, background) + 0.05) < ratio)
                continue;
            ++part.pixels;
            part.extent |= QRect(x, y, 1, 1);
        }
    return part;
}

// No program learns the colour of the panel its tray item sits on: a panel that follows the desktop's
// scheme, or a dark panel under a light scheme, or a mid-grey one. Whatever the program's own appearance
// and the desktop's scheme, a part of the icon spanning the brush stands out from each panel by 3:1 at
// least, and on the panel that follows the desktop's scheme the brush itself stands out by far more.
TEST(ZelvaNexalApp, TheTrayIconStaysLegibleOnAnyPanel) {
    const std::map<int, QColor> panels{{236, QColor(236, 236, 236)}, {128, QColor(128, 128, 128)},
                                       {40, QColor(40, 40, 40)}};
    test::AppHarness harness(true);
    harness.app->start();
    for (const ColorScheme desktop : {ColorScheme::light, ColorScheme::dark}) {
        harness.desktopScheme->set(desktop);
        for (const AppearanceMode mode : {AppearanceMode::system, AppearanceMode::light, AppearanceMode::dark}) {
            harness.app->theme().setMode(mode);
            const QIcon icon = harness.app->menuBar().statusIcon();
            for (const auto& [grey, panel] : panels) {
                const ContrastingPart part = contrastingPart(onPanel(icon, panel), panel, 3);
                SCOPED_TRACE(testing::Message() << "desktop " << test::schemeName(desktop).toStdString()
                                                << ", appearance " << rawValue(mode) << ", panel " << grey);
                // The brush is about 11 pixels wide and 13 high, slanted across the square.
                EXPECT_GE(part.pixels, 35);
                EXPECT_GE(part.extent.width(), 9);
                EXPECT_GE(part.extent.height(), 9);
            }
            const QColor following = desktop == ColorScheme::light ? panels.at(236) : panels.at(40);
            EXPECT_GE(contrastingPart(onPanel(icon, following), following, 7).pixels, 20);
        }
        // Each panel shows the icon at its size and, beside it, the same pixels four times larger.
        QImage sheet(3 * 120, 96, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&sheet);
        int left = 0;
        for (const auto& [grey, panel] : panels) {
            painter.fillRect(QRect(left, 0, 120, 96), panel);
            const QPixmap shown = harness.app->menuBar().statusIcon().pixmap(18, 18);
            painter.drawPixmap(left + 10, 39, shown);
            painter.drawPixmap(QRect(left + 38, 12, 72, 72), shown);
            left += 120;
        }
        painter.end();
        test::saveImage(sheet, QStringLiteral("tray-icon-panels-") + test::schemeName(desktop));
    }
}

// Each tray row that shows the window brings it back after it was closed with its title-bar button, or
// minimised: in front and focused, the onboarding as much as the main window.
TEST(ZelvaNexalApp, TrayRowsBringAClosedWindowBackInFrontAndFocused) {
    for (bool onboardingComplete : {true, false}) {
        test::AppHarness harness(onboardingComplete);
        *harness.fakes.fullDiskAccess = false;
        harness.app->start();
        AppState& state = harness.app->appState();
        ASSERT_TRUE(waitUntil([&] { return !state.hasFullDiskAccess(); }));
        std::vector<QString> rows{"Open Zelva Nexal", "Allow more access..."};
        if (onboardingComplete)
            rows.insert(rows.end(), {"Scan my Mac", "Clear browser privacy"});
        for (const QString& row : rows) {
            harness.closeAllWindows();
            ASSERT_TRUE(harness.windows().empty());
            QAction* action = findAction(harness.app->menuBar().menu(), row);
            ASSERT_NE(action, nullptr) << row.toStdString();
            action->trigger();
            ASSERT_TRUE(waitUntil([&] {
                return harness.windows().size() == 1 && QApplication::activeWindow() == harness.windows()[0];
            })) << row.toStdString();
            AppWindow* window = harness.windows()[0];
            EXPECT_EQ(qobject_cast<OnboardingView*>(window->centralWidget()) != nullptr, !onboardingComplete);
            ASSERT_TRUE(waitUntil([&] { return !state.scanState().isBusy(); }));
        }

        harness.windows()[0]->showMinimized();
        findAction(harness.app->menuBar().menu(), "Open Zelva Nexal")->trigger();
        ASSERT_TRUE(waitUntil([&] {
            return harness.windows().size() == 1 && !harness.windows()[0]->isMinimized() &&
                   QApplication::activeWindow() == harness.windows()[0];
        }));
    }
}

TEST(ZelvaNexalApp, AFirstRunWalksThroughOnboardingOnceThenTheMainWindow) {
    test::AppHarness harness(false);
    ScheduleConfig schedule;
    schedule.isEnabled = true;
    harness.fakes.defaults->setData(QByteArray::fromStdString(schedule.encoded()),
                                    SchedulerService::kConfigKey);
    harness.app->start();
    ASSERT_EQ(harness.windows().size(), 1u);
    AppWindow* window = harness.windows()[0];
    auto* onboarding = qobject_cast<OnboardingView*>(window->centralWidget());
    ASSERT_NE(onboarding, nullptr);
    EXPECT_EQ(window->centralWidget()->size(), OnboardingView::kSize);
    EXPECT_FALSE(findAction(harness.app->menuBar().menu(), "Scan my Mac")->isEnabled());
    // The state built before onboarding ended leaves even an enabled schedule off.
    EXPECT_FALSE(harness.app->appState().scheduler().isCheckRunning());

    BorderedButton& next = onboarding->bottomBar().rightButton();
    next.click();
    EXPECT_EQ(onboarding->page(), OnboardingPage::mission);
    next.click();
    EXPECT_EQ(onboarding->page(), OnboardingPage::permission);
    // Access counts as granted here: the page moves on by itself after the next tick of its poll.
    harness.fakes.clock->advance(std::chrono::milliseconds(1800));
    ASSERT_EQ(onboarding->page(), OnboardingPage::ready);
    harness.fakes.clock->advance(std::chrono::milliseconds(350));
    EXPECT_TRUE(harness.fakes.defaults->boolForKey(ReadyScene::kHasSeenConfettiKey));
    EXPECT_TRUE(qobject_cast<ReadyScene*>(onboarding->scene())->hasFiredConfetti());

    ASSERT_EQ(next.text(), "Start");
    next.click();
    EXPECT_TRUE(
        harness.fakes.defaults->boolForKey(QString::fromLatin1(ZelvaNexalApp::kOnboardingCompleteKey)));
    EXPECT_NE(qobject_cast<MainWindow*>(window->centralWidget()), nullptr);
    EXPECT_EQ(window->size(), AppWindow::kDefaultSize);
    EXPECT_TRUE(findAction(harness.app->menuBar().menu(), "Scan my Mac")->isEnabled());
    test::processQueuedWork();

    // The next start goes straight to the main window.
    harness.closeAllWindows();
    ZelvaNexalApp again(harness.environment());
    again.start();
    ASSERT_EQ(harness.windows().size(), 1u);
    EXPECT_NE(qobject_cast<MainWindow*>(harness.windows()[0]->centralWidget()), nullptr);
    harness.closeAllWindows();
}

TEST(ZelvaNexalApp, CheckForUpdatesOpensTheDownloadPage) {
    test::AppHarness harness(true);
    harness.app->start();
    QAction* check = nullptr;
    for (QAction* menu : harness.windows()[0]->menuBar()->actions())
        if (menu->text() == "Updates")
            check = findAction(*menu->menu(), "Check for Updates");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U));
    check->trigger();
    ASSERT_TRUE(waitUntil([&] { return !harness.opener->urls().empty(); }));
    EXPECT_EQ(harness.opener->urls()[0], test::kTestDownloadPage);
}

TEST(ZelvaNexalApp, AllowMoreAccessOpensTheSettingsPane) {
    test::AppHarness harness(true);
    *harness.fakes.fullDiskAccess = false;
    harness.app->start();
    AppState& state = harness.app->appState();
    ASSERT_TRUE(waitUntil([&] { return !state.hasFullDiskAccess(); }));
    QAction* allow = findAction(harness.app->menuBar().menu(), "Allow more access...");
    ASSERT_NE(allow, nullptr);
    allow->trigger();
    ASSERT_TRUE(waitUntil([&] { return !harness.opener->urls().empty(); }));
    EXPECT_EQ(harness.opener->urls()[0].toString(),
              "x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles");
}

TEST(ZelvaNexalApp, TheApplicationMenuOpensOneSettingsWindow) {
    test::AppHarness harness(true);
    harness.app->start();
    QAction* settings = nullptr;
    for (QAction* menu : harness.windows()[0]->menuBar()->actions())
        if (menu->text() == "Zelva Nexal")
            settings = findAction(*menu->menu(), "Settings...");
    ASSERT_NE(settings, nullptr);
    settings->trigger();
    settings->trigger();
    std::vector<SettingsView*> open;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* view = qobject_cast<SettingsView*>(widget); view && view->isVisible())
            open.push_back(view);
    ASSERT_EQ(open.size(), 1u);
    // Launch at login writes into the environment's autostart folder.
    open[0]->general().launchAtLoginSwitch().click();
    EXPECT_TRUE(QFileInfo::exists(
        QString::fromStdString(harness.fakes.tree.path("config/autostart/com.zelvanexal.app.desktop"))));
}

} // namespace
} // namespace zn
