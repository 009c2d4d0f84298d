#pragma once

#include "Logic/Scanning/AppMatcher.h"
#include "Logic/Scanning/Conditions.h"
#include "Logic/Scanning/Locations.h"
#include "Logic/Scanning/OtherInstalledApps.h"
#include "Logic/Scanning/SkipTables.h"
#include "Logic/Removal/ProtectedPlaces.h"

#include <functional>
#include <set>
#include <string>
#include <sys/types.h>
#include <unistd.h>
#include <unordered_set>
#include <vector>

namespace zn {

// Who searches for an application's leftovers, and what else is installed.
struct AppSearchSurroundings {
    // The installed applications (the searched one may be among them): the bundles of the others, and
    // entries named after one of them at least as closely as after the searched one, are left alone. Every
    // bundle of the applications folders counts too, whether listed here or not.
    std::vector<AppSearchInfo> installedApps;
    // Other users' entries are never offered; in a folder every user may write to (a shared temporary
    // folder), only this user's own entries count at all.
    uid_t user = ::getuid();
    // With the home, never offered, nor a folder that holds one of them.
    RunningProgramPlaces runningProgram = currentRunningProgramPlaces();
};

// Finds what one installed application leaves on disk outside its bundle: preferences, caches, support
// folders, logs, containers, launch items, receipts. Walks every search root a few levels deep, one root
// per worker, matches each entry's normalised name against the application's name forms, adds its
// sandbox containers and forced folders, and reduces the result to top-most paths. The result holds the
// bundle itself as a rule and never depends on which worker finishes first. What belongs to another
// installed application or another user is never offered, and a folder goes whole only when all of it is
// this application's (WholeFolderRule).
class AppPathFinder {
public:
    using AppInfo = AppSearchInfo;
    using Sensitivity = MatchSensitivity;
    using Surroundings = AppSearchSurroundings;
    using Completion = std::function<void(std::set<std::string>)>;

    // The fixed tables the search reads; a finder keeps its own copy.
    struct Tables {
        std::vector<AppCondition> appConditions;
        std::vector<SkipCondition> skipConditions;
        // The process-wide tables.
        static Tables shared();
    };

    // `workerCount` 0 means one per processor core.
    AppPathFinder(AppInfo appInfo, Locations locations, Sensitivity sensitivity,
                  Tables tables = Tables::shared(), Surroundings surroundings = {}, unsigned workerCount = 0);

    // Runs the search, with the calling thread as one of the workers, and returns the found paths.
    std::set<std::string> findPaths() const;
    // Starts the search and returns at once; `completion` receives the found paths exactly once, through
    // the main queue.
    void findPathsAsync(Completion completion) const;

private:
    class Collection;
    // What the walk found: every path, and those reported only for an entry inside them.
    struct Finds {
        std::set<std::string> paths;
        std::set<std::string> forAnEntryInside;
    };

    void processLocation(const std::string& root, const std::string& path, int currentDepth, int maxDepth,
                         bool isLibraryRootSearch, const OtherInstalledApps& otherApps,
                         Collection& collection) const;
    // The folder `name` is another installed application's, and all it holds.
    bool isTheirs(const std::string& name, const OtherInstalledApps& otherApps) const;
    bool liesInOtherAppsFolder(const std::string& root, const std::string& path,
                               const OtherInstalledApps& otherApps) const;
    Finds walkRoots(const OtherInstalledApps& otherApps) const;
    std::vector<AppSearchInfo> everyInstalledApp() const;
    bool shouldSkipItem(const std::string& key, const std::string& itemPath) const;
    // The skip tables keep the entry: system and personal data, credentials, tool settings.
    bool isKeptBySkipTables(const std::string& key, const std::string& itemPath) const;
    std::vector<std::string> discoverContainers() const;
    void applyConditions(Finds& finds) const;
    void removeNeverReported(std::set<std::string>& paths) const;
    bool isLibraryDirectory(const std::string& path) const;
    std::vector<std::string> rootsToWalk(const OtherInstalledApps& otherApps) const;

    AppInfo appInfo_;
    std::string bundlePath_;
    Locations locations_;
    Tables tables_;
    AppMatcher matcher_;
    Surroundings surroundings_;
    ProtectedPlaces protectedPlaces_;
    unsigned workerCount_;
    // Paths that are never reported whatever their names: the home folder, the fixed search roots and
    // the standard folders directly inside the two Library roots.
    std::unordered_set<std::string> neverReported_;
};

} // namespace zn
