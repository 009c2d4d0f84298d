#pragma once

#include "App/AppDelegate.h"
#include "App/AppEnvironment.h"
#include "App/MenuBarController.h"
#include "Views/Kit/Theme/AppTheme.h"
#include "Views/Kit/Theme/ThemeManager.h"
#include "Views/Onboarding/OnboardingServices.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

namespace zn {

class AppState;
class AppWindow;
class SettingsView;

// The windowed application: the one application state (built when a window first needs it), the "main"
// window group (onboarding until it is complete, then the main window), the settings window, the
// delegate's behaviour and the tray item.
class ZelvaNexalApp : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kOnboardingCompleteKey = "ZelvaNexal.OnboardingComplete";

    explicit ZelvaNexalApp(AppEnvironment environment, QObject* parent = nullptr);
    ~ZelvaNexalApp() override;

    // Launch: the delegate's start-up, then the first window of the group.
    void start();

    AppState& appState();
    bool hasAppState() const { return appState_ != nullptr; }

    bool onboardingComplete() const;
    void setOnboardingComplete(bool complete);

    // What the first-run flow works through.
    OnboardingServices onboardingServices();
    // A new window of the "main" group.
    AppWindow* openMainWindow();
    void showSettings();
    void checkForUpdates();
    void openFullDiskAccessSettings();
    // What the tray item acts on; called when a window first shows and when the onboarding flag changes.
    void configureMenuBar();

    MenuBarController& menuBar() { return menuBar_; }
    PermissionCoordinator& permission() { return *environment_.permission; }
    const FullDiskAccessManager& accessManager() const { return *environment_.accessManager; }
    FileViewer& fileViewer() { return *environment_.fileViewer; }
    QuestionPrompter& prompter() { return *environment_.stateServices.prompter; }
    UrlOpener& urlOpener() { return *environment_.urlOpener; }
    ThemeManager& theme() { return theme_; }

signals:
    void onboardingCompleteChanged();

private:
    AppEnvironment environment_;
    ThemeManager theme_;
    AppTheme appTheme_;
    std::unique_ptr<AppState> appState_;
    AppDelegate delegate_;
    MenuBarController menuBar_;
    std::vector<QPointer<AppWindow>> windows_;
    QPointer<SettingsView> settingsWindow_;
};

} // namespace zn
