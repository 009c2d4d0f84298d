#pragma once

#include "Platform/qt/FileViewer.h"
#include "Platform/qt/LoginItem.h"
#include "Platform/qt/UrlOpener.h"
#include "Services/FullDiskAccessManager.h"
#include "ViewModels/AppStateServices.h"

#include <QSystemTrayIcon>
#include <functional>
#include <memory>

namespace zn {

class DesktopColorScheme;
class PermissionCoordinator;
class UpdateService;

// Everything the application object works through. The program runs on the real services; tests hand in
// fakes.
struct AppEnvironment {
    AppStateServices stateServices;
    std::shared_ptr<const FullDiskAccessManager> accessManager;
    PermissionCoordinator* permission = nullptr; // outlives the application object
    UpdateService* updates = nullptr;            // outlives the application object
    std::shared_ptr<UrlOpener> urlOpener;
    // Whether the desktop is dark, for windows that follow it.
    std::shared_ptr<DesktopColorScheme> desktopColorScheme;
    bool performStartupTasks = true;
    std::function<bool()> trayAvailable = QSystemTrayIcon::isSystemTrayAvailable;
    // Where "Reveal in Finder" shows a file.
    std::shared_ptr<FileViewer> fileViewer = std::make_shared<DesktopFileViewer>();
    // Where launch at login is kept (the user's autostart folder).
    std::shared_ptr<const LoginItem> loginItem =
        std::make_shared<const LoginItem>(LoginItem::forThisProgram());
};

// The engines, the system's services and the program's own stores. Main thread, once a QApplication exists.
AppEnvironment liveAppEnvironment();

} // namespace zn
