#pragma once

#include "Logic/Scanning/AppInfoFetcher.h"
#include "Logic/Scanning/Locations.h"
#include "Platform/qt/Clock.h"
#include "Platform/qt/Notifier.h"
#include "Platform/qt/QuestionPrompter.h"
#include "Platform/core/Trash.h"
#include "Platform/qt/UserDefaults.h"
#include "Platform/qt/Workspace.h"
#include "Services/PermissionRequester.h"
#include "ViewModels/AppFileScanner.h"
#include "ViewModels/CleaningService.h"
#include "Logic/Removal/LeftoverRules.h"
#include "ViewModels/OrphanRemoval.h"
#include "ViewModels/OrphanSearch.h"
#include "ViewModels/ScanService.h"
#include "ViewModels/TrashPass.h"

#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

namespace zn {

// What the uninstaller and the search for leftovers of removed applications work on. The defaults are the
// real ones; tests point them into fixture folders.
struct UninstallServices {
    // A fresh set of search locations for each application's file search.
    std::function<Locations()> locationsProvider = [] { return Locations(); };
    AppFileScanner appFileScanner = defaultAppFileScanner;
    // The search for leftovers of removed applications builds its own locations.
    std::function<Locations()> orphanLocations = [] { return Locations(); };
    // What the search offers for a leftover; called off the main thread.
    LeftoverOffers offeredOrphans = [](const std::string& path) {
        return LeftoverRules::currentUser()->offered(path);
    };
    // What the leftovers screen removes through, called off the main thread.
    OrphanRemovalTools orphanRemoval = OrphanRemovalTools::system();
    // Called off the main thread.
    TrashMover moveToTrash = [](const std::string& path, Trash::EntriesOfOthers others) {
        return Trash().moveToTrash(path, others);
    };
    // The folders of the removal rules: the home folder, links resolved, and the prefix of the system
    // folders ("" for the real ones).
    std::string home = zn::home();
    std::string systemRoot;
    // Neither they nor a folder holding one is ever moved, with the home.
    RunningProgramPlaces runningProgram = currentRunningProgramPlaces();
};

// Everything the application state works through; the application passes the real services, tests pass
// fakes. All of them must be set.
struct AppStateServices {
    std::shared_ptr<ScanService> scanner;
    std::shared_ptr<CleaningService> cleaner;
    // Called off the main thread; returns early once its load is replaced by a newer one.
    std::function<std::vector<InstalledApp>(std::stop_token)> fetchInstalledApps;
    // The Full Disk Access probe; called on any thread.
    std::function<bool()> probeFullDiskAccess;
    std::shared_ptr<PermissionRequester> permission;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<QuestionPrompter> prompter;
    std::shared_ptr<Workspace> workspace;
    std::shared_ptr<UserDefaults> defaults;
    // The "level change" haptic pattern, played at once.
    std::function<void()> playLevelChangeFeedback;
    std::shared_ptr<Notifier> notifier;
    UninstallServices uninstall;
};

} // namespace zn
