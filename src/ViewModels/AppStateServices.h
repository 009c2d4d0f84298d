#pragma once

#include "Logic/Scanning/AppInfoFetcher.h"
#include "Platform/qt/Clock.h"
#include "Platform/qt/QuestionPrompter.h"
#include "Platform/qt/UserDefaults.h"
#include "Platform/qt/Workspace.h"
#include "ViewModels/CleaningService.h"
#include "ViewModels/PermissionRequester.h"
#include "ViewModels/ScanService.h"
#include "ViewModels/SchedulerControl.h"

#include <functional>
#include <memory>
#include <vector>

namespace zn {

// Everything the application state works through; the application passes the real services, tests pass
// fakes. All of them must be set.
struct AppStateServices {
    std::shared_ptr<ScanService> scanner;
    std::shared_ptr<CleaningService> cleaner;
    // Called off the main thread.
    std::function<std::vector<InstalledApp>()> fetchInstalledApps;
    // The Full Disk Access probe; called on any thread.
    std::function<bool()> probeFullDiskAccess;
    std::shared_ptr<PermissionRequester> permission;
    std::shared_ptr<SchedulerControl> scheduler;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<QuestionPrompter> prompter;
    std::shared_ptr<Workspace> workspace;
    std::shared_ptr<UserDefaults> defaults;
    // The "level change" haptic pattern, played at once.
    std::function<void()> playLevelChangeFeedback;
};

} // namespace zn
