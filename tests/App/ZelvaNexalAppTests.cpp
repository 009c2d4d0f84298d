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

#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cmath>

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

// Each tray row that shows the window brings it back after it was closed with its title-bar button, or
// minimised: in front and focused, the onboarding as much as the main window.
// The mean contrast ratio (1 to 21) of the icon's drawn pixels against a panel of `panel`.
double meanContrast(const QIcon& icon, const QColor& panel) {
    const auto luminance = [](const QColor& color) {
        const auto linear = [](double channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
               0.0722 * linear(color.blueF());
    };
    const QImage image = icon.pixmap(18, 18).toImage();
    const double background = luminance(panel);
    double sum = 0;
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alphaF() < 0.5)
                continue;
            const double alpha = pixel.alphaF();
            const QColor shown =
                QColor::fromRgbF(static_cast<float>(alpha * pixel.redF() + (1 - alpha) * panel.redF()),
                                 static_cast<float>(alpha * pixel.greenF() + (1 - alpha) * panel.greenF()),
                                 static_cast<float>(alpha * pixel.blueF() + (1 - alpha) * panel.blueF()));
            const double glyph = luminance(shown);
            sum += (std::max(glyph, background) + 0.05) / (std::min(glyph, background) + 0.05);
            ++drawn;
        }
    EXPECT_GT(drawn, 20);
    return drawn ? sum / drawn : 0;
}

TEST(ZelvaNexalApp, TheTrayIconFollowsTheDesktopNotTheChosenAppearance) {
    const QColor lightPanel(236, 236, 236);
    const QColor darkPanel(40, 40, 40);
    test::AppHarness harness(true);
    // Dark chosen in the program, on a light desktop.
    harness.app->theme().setMode(AppearanceMode::dark);
    harness.desktopScheme->set(ColorScheme::light);
    harness.app->start();
    ASSERT_EQ(colorScheme(QApplication::palette()), ColorScheme::dark);
    EXPECT_GT(meanContrast(harness.app->menuBar().statusIcon(), lightPanel), 7);

    // Light chosen, and the desktop turns dark while the program runs.
    harness.app->theme().setMode(AppearanceMode::light);
    harness.desktopScheme->set(ColorScheme::dark);
    ASSERT_EQ(colorScheme(QApplication::palette()), ColorScheme::light);
    EXPECT_GT(meanContrast(harness.app->menuBar().statusIcon(), darkPanel), 7);
}

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
