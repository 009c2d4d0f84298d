#include "App/ZelvaNexalApp.h"

#include "App/AppWindow.h"
#include "Services/PermissionCoordinator.h"
#include "Services/UpdateService.h"
#include "ViewModels/AppState.h"
#include "Views/Kit/Feedback/ConfettiView.h"
#include "Views/Settings/SettingsView.h"

#include <QApplication>

namespace zn {

ZelvaNexalApp::ZelvaNexalApp(AppEnvironment environment, QObject* parent)
    : QObject(parent), environment_(std::move(environment)), theme_(*environment_.stateServices.defaults),
      appTheme_(theme_, *environment_.desktopColorScheme),
      delegate_(*environment_.accessManager, environment_.trayAvailable),
      menuBar_({[this] { openFullDiskAccessSettings(); }, [] { QApplication::quit(); }},
               *environment_.desktopColorScheme) {}

ZelvaNexalApp::~ZelvaNexalApp() {
    // Windows hold references to the state: they go first.
    for (const QPointer<AppWindow>& window : windows_)
        delete window.data();
    delete settingsWindow_.data();
}

void ZelvaNexalApp::start() {
    // Every window (main, onboarding, settings) takes the stored appearance from the first frame on.
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance()))
        appTheme_.apply(*application);
    delegate_.applicationDidFinishLaunching();
    openMainWindow();
}

AppState& ZelvaNexalApp::appState() {
    if (!appState_)
        appState_ = std::make_unique<AppState>(environment_.performStartupTasks, environment_.stateServices);
    return *appState_;
}

bool ZelvaNexalApp::onboardingComplete() const {
    return environment_.stateServices.defaults->boolForKey(QString::fromLatin1(kOnboardingCompleteKey));
}

void ZelvaNexalApp::setOnboardingComplete(bool complete) {
    if (complete == onboardingComplete())
        return;
    environment_.stateServices.defaults->setBool(complete, QString::fromLatin1(kOnboardingCompleteKey));
    emit onboardingCompleteChanged();
    configureMenuBar();
}

AppWindow* ZelvaNexalApp::openMainWindow() {
    auto* window = new AppWindow(*this);
    std::erase_if(windows_, [](const QPointer<AppWindow>& closed) { return closed.isNull(); });
    windows_.emplace_back(window);
    window->show();
    return window;
}

OnboardingServices ZelvaNexalApp::onboardingServices() {
    const std::shared_ptr<const FullDiskAccessManager> access = environment_.accessManager;
    std::shared_ptr<UrlOpener> opener = environment_.urlOpener;
    return {
        [access] { return access->hasFullDiskAccess(); },
        [access] { access->triggerRegistration(); },
        [access, opener] { access->openSettingsPane(*opener, "openSettings()"); },
        [access] { access->revealAppInFinder(); },
        [access] { access->resetFullDiskAccess(); },
        environment_.stateServices.clock,
        environment_.stateServices.defaults,
        ConfettiSources::live().random,
        // Desktops here have no haptic feedback.
        [] {},
        environment_.stateServices.playLevelChangeFeedback,
    };
}

void ZelvaNexalApp::showSettings() {
    if (!settingsWindow_) {
        settingsWindow_ = new SettingsView(appState().scheduler(), *environment_.stateServices.defaults,
                                           *environment_.loginItem, *environment_.urlOpener,
                                           *environment_.stateServices.clock);
        settingsWindow_->setAttribute(Qt::WA_DeleteOnClose);
        settingsWindow_->setWindowTitle(QStringLiteral("Settings"));
    }
    settingsWindow_->show();
    settingsWindow_->raise();
    settingsWindow_->activateWindow();
}

void ZelvaNexalApp::checkForUpdates() {
    environment_.updates->checkForUpdates();
}

void ZelvaNexalApp::openFullDiskAccessSettings() {
    environment_.accessManager->openSettingsPane(*environment_.urlOpener, "openFullDiskAccessSettings()");
}

void ZelvaNexalApp::configureMenuBar() {
    menuBar_.configure(&appState(), onboardingComplete(), [this] { openMainWindow(); });
}

} // namespace zn
