#include "App/AppEnvironment.h"

#include "Platform/qt/DesktopColorScheme.h"
#include "Platform/qt/QtClock.h"
#include "Services/PermissionCoordinator.h"
#include "Services/UpdateService.h"
#include "ViewModels/CleaningEngineService.h"
#include "ViewModels/ScanEngineService.h"
#include "Views/Kit/Feedback/AlertPrompter.h"

#include <QGuiApplication>
#include <QPalette>

namespace zn {

AppEnvironment liveAppEnvironment() {
    auto accessManager = FullDiskAccessManager::sharedInstance();
    PermissionCoordinator& permission = PermissionCoordinator::shared();
    // The standard store lives as long as the process; the state only borrows it.
    std::shared_ptr<UserDefaults> defaults(&UserDefaults::standard(), [](UserDefaults*) {});
    AppStateServices services{
        std::make_shared<ScanEngineService>(std::make_shared<ScanEngine>()),
        std::make_shared<CleaningEngineService>(std::make_shared<CleaningEngine>()),
        [](std::stop_token stop) { return AppInfoFetcher::shared().fetchInstalledApps(std::move(stop)); },
        [accessManager] { return accessManager->hasFullDiskAccess(); },
        permissionRequester(permission),
        std::make_shared<QtClock>(),
        std::make_shared<AlertPrompter>(),
        std::shared_ptr<Workspace>(&Workspace::shared(), [](Workspace*) {}),
        defaults,
        // Desktops here have no haptic feedback.
        [] {},
        std::make_shared<DBusNotifier>(),
        UninstallServices{},
    };
    // The desktop's own window colour, read before the program's palette replaces it.
    auto desktopScheme = std::make_shared<PortalColorScheme>(
        QDBusConnection::sessionBus(), QGuiApplication::palette().color(QPalette::Window));
    return {
        std::move(services),      accessManager, &permission, &UpdateService::shared(), desktopUrlOpener(),
        std::move(desktopScheme), true,
    };
}

} // namespace zn
