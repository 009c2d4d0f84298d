#include "App/AppWindow.h"

#include "App/ZelvaNexalApp.h"
#include "Services/PermissionCoordinator.h"
#include "ViewModels/AppState.h"
#include "Views/MainWindow/MainWindow.h"
#include "Views/Onboarding/OnboardingView.h"

#include <QApplication>
#include <QMenuBar>

namespace zn {

AppWindow::AppWindow(ZelvaNexalApp& app) : app_(app) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zelva Nexal"));
    resize(kDefaultSize);
    buildMenus();
    showContent();
    connect(&app_, &ZelvaNexalApp::onboardingCompleteChanged, this, &AppWindow::showContent);
}

void AppWindow::buildMenus() {
    QMenu* appMenu = menuBar()->addMenu(QStringLiteral("Zelva Nexal"));
    appMenu->addAction(QStringLiteral("Settings..."), QKeySequence::Preferences, &app_,
                       &ZelvaNexalApp::showSettings);
    appMenu->addSeparator();
    appMenu->addAction(QStringLiteral("Quit Zelva Nexal"), QKeySequence::Quit, qApp, &QApplication::quit);
    QMenu* updates = menuBar()->addMenu(QStringLiteral("Updates"));
    updates->addAction(QStringLiteral("Check for Updates"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U),
                       &app_, &ZelvaNexalApp::checkForUpdates);
}

void AppWindow::showContent() {
    // The state comes into being with the first window's content, whichever page that is.
    AppState& state = app_.appState();
    if (app_.onboardingComplete()) {
        // Leaving onboarding's one size for the main window's.
        const bool wasOnboarding = qobject_cast<OnboardingView*>(centralWidget()) != nullptr;
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        // The content's own minimum (wider than the group's 900 by 600) bounds the window.
        setMinimumSize(0, 0);
        setCentralWidget(new MainWindow(
            {state, app_.permission(), app_.theme(), app_.fileViewer(), app_.prompter(), app_.urlOpener()}));
        if (wasOnboarding)
            resize(kDefaultSize);
    } else {
        setCentralWidget(
            new OnboardingView(app_.onboardingServices(), [this] { app_.setOnboardingComplete(true); }));
        // The first-run pages have one size: the window fits them.
        setFixedSize(OnboardingView::kSize + QSize(0, menuBar()->sizeHint().height()));
    }
}

void AppWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!std::exchange(configuredMenuBar_, true))
        app_.configureMenuBar();
}

} // namespace zn
