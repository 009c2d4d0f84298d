#include "Logic/Scanning/AppPathFinder.h"

#include "Logic/Scanning/AppInfoFetcher.h"
#include "Logic/Scanning/DirectoryEntries.h"
#include "Logic/Scanning/StringNormalization.h"
#include "Logic/Scanning/WholeFolderRule.h"
#include "Logic/Scanning/WordedKey.h"
#include "Platform/core/FileSystem.h"
#include "Platform/core/FolderRights.h"
#include "Platform/core/HomeTrash.h"
#include "Platform/core/MainQueue.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"
#include "Platform/core/PropertyList.h"

#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <system_error>
#include <thread>

namespace zn {

namespace {

constexpr const char* kContainerMetadataFile = ".com.apple.containermanagerd.metadata.plist";
constexpr const char* kContainerIdentifierKey = "MCMMetadataIdentifier";

// "." and ".." components and doubled or trailing "/" removed, links left alone.
std::string standardized(const std::string& path) {
    std::string result = std::filesystem::path(path).lexically_normal().string();
    while (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return result;
}

struct EntryStatus {
    bool exists = false;
    bool isDirectory = false; // after following a link
    bool isSymlink = false;
    bool isMountRoot = false; // another file system, or a bind mount, is attached here
    uid_t owner = 0;          // of the entry itself, a link's own
};

EntryStatus statusOf(const std::string& path) {
    struct statx entry;
    if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_TYPE | STATX_UID,
                &entry) != 0)
        return {};
    const bool isSymlink = S_ISLNK(entry.stx_mode);
    bool isDirectory = S_ISDIR(entry.stx_mode);
    if (isSymlink) {
        struct stat target;
        if (::stat(path.c_str(), &target) != 0)
            return {}; // a link to nothing counts as missing
        isDirectory = S_ISDIR(target.st_mode);
    }
    const bool isMountRoot = (entry.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
                             (entry.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    return {true, isDirectory, isSymlink, isMountRoot, entry.stx_uid};
}

bool startsWithAny(const std::string& text, const std::vector<std::string>& prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](const std::string& prefix) { return text.starts_with(prefix); });
}

bool isContainerFor(const std::string& containerPath, const std::string& bundleIdentifier) {
    const auto metadata = readPropertyListFile(containerPath + "/" + kContainerMetadataFile);
    if (!metadata || !metadata->dictionary())
        return false;
    return metadata->stringForKey(kContainerIdentifierKey) == bundleIdentifier;
}

// Only top-most paths remain; "/a/bc" does not count as inside "/a/b". A lone find in a Trash (the home
// Trash, or a mount's ".Trash-<uid>" or ".Trash/<uid>") means the application is already gone, so nothing
// is reported.
std::set<std::string> filterSubpaths(const std::set<std::string>& paths, const std::string& homeTrash) {
    std::vector<std::string> sorted;
    sorted.reserve(paths.size());
    for (const std::string& path : paths)
        sorted.push_back(standardized(path));
    std::sort(sorted.begin(), sorted.end());

    std::vector<std::string> topMost;
    for (const std::string& path : sorted) {
        std::erase_if(topMost,
                      [&](const std::string& kept) { return PathText::isStrictlyInside(kept, path); });
        const bool inside = std::any_of(topMost.begin(), topMost.end(), [&](const std::string& kept) {
            return PathText::isStrictlyInside(path, kept);
        });
        if (!inside)
            topMost.push_back(path);
    }
    if (topMost.size() == 1 && (PathText::isStrictlyInside(topMost.front(), homeTrash) ||
                                topMost.front().find(".Trash") != std::string::npos))
        return {};
    return {topMost.begin(), topMost.end()};
}

} // namespace

// The paths found by all workers, merged once per listed folder: those found themselves, and the folders
// reported for an entry inside them.
class AppPathFinder::Collection {
public:
    void insert(const std::vector<std::string>& paths,
                const std::vector<std::string>& forAnEntryInside = {}) {
        if (paths.empty() && forAnEntryInside.empty())
            return;
        std::lock_guard lock(mutex_);
        paths_.insert(paths.begin(), paths.end());
        forAnEntryInside_.insert(forAnEntryInside.begin(), forAnEntryInside.end());
    }
    // A folder also found itself, by its own name, is not one found only for what it holds.
    Finds take() {
        std::lock_guard lock(mutex_);
        Finds finds;
        for (const std::string& path : forAnEntryInside_)
            if (!paths_.contains(path))
                finds.forAnEntryInside.insert(path);
        finds.paths = std::move(paths_);
        finds.paths.insert(finds.forAnEntryInside.begin(), finds.forAnEntryInside.end());
        return finds;
    }

private:
    std::mutex mutex_;
    std::set<std::string> paths_;
    std::set<std::string> forAnEntryInside_;
};

AppPathFinder::Tables AppPathFinder::Tables::shared() {
    return {zn::appConditions(), zn::skipConditions()};
}

AppPathFinder::AppPathFinder(AppInfo appInfo, Locations locations, Sensitivity sensitivity, Tables tables,
                             Surroundings surroundings, unsigned workerCount)
    : appInfo_(std::move(appInfo)), bundlePath_(standardized(appInfo_.path)),
      locations_(std::move(locations)), tables_(std::move(tables)),
      matcher_(appInfo_, sensitivity, tables_.appConditions), surroundings_(std::move(surroundings)),
      protectedPlaces_(locations_.roots().home, surroundings_.runningProgram),
      workerCount_(workerCount > 0 ? workerCount : std::max(1u, std::thread::hardware_concurrency())) {
    const std::string& home = locations_.roots().home;
    neverReported_.insert(standardized(home));
    const auto& paths = locations_.appSearch.paths;
    for (std::size_t i = 0; i < std::min(paths.size(), Locations::kFixedAppSearchPathCount); ++i)
        if (!paths[i].empty())
            neverReported_.insert(standardized(paths[i]));
    for (const std::string& library : {home + "/Library", locations_.roots().systemRoot + "/Library"})
        for (const std::string& name : Locations::standardLibrarySubdirectories())
            neverReported_.insert(library + "/" + name);
}

std::set<std::string> AppPathFinder::findPaths() const {
    const OtherInstalledApps otherApps(everyInstalledApp(), appInfo_);
    // While another copy of this application stays installed, everything but this bundle is that copy's.
    const Finds found = otherApps.sameApplicationStays() ? Finds{{bundlePath_}, {}} : walkRoots(otherApps);

    const RemovalPolicy removal(surroundings_.user, People::fromLoginDefinitions());
    const WholeFolderRule rule(
        matcher_, otherApps, protectedPlaces_, removal, bundlePath_,
        [this](const std::string& key, const std::string& path) { return isKeptBySkipTables(key, path); });
    std::vector<std::string> offered;
    for (const std::string& path : found.paths) {
        if (path != bundlePath_)
            rule.offer(path,
                       found.forAnEntryInside.contains(path) ? WholeFolderRule::Found::forAnEntryInside
                                                             : WholeFolderRule::Found::itself,
                       offered);
        else if (!protectedPlaces_.isOrHoldsOne(resolvingSymlinksInPath(path)))
            offered.push_back(path); // the bundle chosen for removal, whatever it is named and holds
    }
    std::set<std::string> paths(offered.begin(), offered.end());
    // Checked once more as a whole: a folder swapped for a link during the walk, a container folder or a
    // forced path inside a linked folder would otherwise be offered in a place it does not really lie in.
    std::erase_if(paths, [](const std::string& path) { return !isReachedWithoutLinks(standardized(path)); });
    return filterSubpaths(paths, HomeTrash(locations_.roots().home, locations_.roots().dataHome).folder());
}

AppPathFinder::Finds AppPathFinder::walkRoots(const OtherInstalledApps& otherApps) const {
    Collection collection;
    collection.insert({bundlePath_});

    const std::vector<std::string> roots = rootsToWalk(otherApps);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < roots.size(); i = next++) {
            const bool isLibraryRoot = isLibraryDirectory(roots[i]);
            processLocation(roots[i], roots[i], 0, isLibraryRoot ? 2 : 1, isLibraryRoot, otherApps,
                            collection);
        }
    };
    // The calling thread is a worker too.
    const std::size_t extraWorkers =
        std::min<std::size_t>(workerCount_, roots.size()) - (roots.empty() ? 0 : 1);
    std::vector<std::thread> workers;
    workers.reserve(extraWorkers);
    for (std::size_t i = 0; i < extraWorkers; ++i) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) {
            break; // fewer workers, same result: the calling thread walks what is left
        }
    }
    work();
    for (std::thread& worker : workers)
        worker.join();

    collection.insert(discoverContainers());
    Finds finds = collection.take();
    applyConditions(finds);
    removeNeverReported(finds.paths);
    return finds;
}

// The listed applications and every bundle of the applications folders: each copy, those without an
// identifier and the system's own, which the list leaves out but which are just as installed.
std::vector<AppSearchInfo> AppPathFinder::everyInstalledApp() const {
    std::vector<AppSearchInfo> apps = surroundings_.installedApps;
    const Locations::Roots& roots = locations_.roots();
    const AppInfoFetcher fetcher({roots.systemRoot + "/Applications", roots.home + "/Applications"});
    for (const InstalledApp& bundle : fetcher.fetchEveryBundle())
        apps.push_back({bundle.appName, bundle.bundleIdentifier, bundle.path, std::nullopt, std::nullopt});
    return apps;
}

void AppPathFinder::findPathsAsync(Completion completion) const {
    auto task = std::make_shared<std::function<void()>>([finder = *this, completion = std::move(completion)] {
        MainQueue::post([completion, found = finder.findPaths()] { completion(found); });
    });
    try {
        std::thread([task] { (*task)(); }).detach();
    } catch (const std::system_error&) {
        (*task)();
    }
}

std::vector<std::string> AppPathFinder::rootsToWalk(const OtherInstalledApps& otherApps) const {
    std::vector<std::string> roots;
    std::unordered_set<std::string> seen;
    const auto& paths = locations_.appSearch.paths;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        // An empty or relative entry (an unset or odd TMPDIR) lists nothing: never the working directory.
        if (path.empty() || path.front() != '/')
            continue;
        // A folder of "Application Support" that is another application's holds nothing of this one.
        if (i >= Locations::kFixedAppSearchPathCount &&
            isTheirs(PathText::lastPathComponent(path), otherApps))
            continue;
        // A root that is a link, or lies behind one, leads elsewhere; what is found there is not in it.
        const std::string root = standardized(path);
        if (resolvedPathIfResolvable(root) != root)
            continue;
        // A repeated root would only find the same paths again.
        if (seen.insert(root).second)
            roots.push_back(root);
    }
    return roots;
}

bool AppPathFinder::isLibraryDirectory(const std::string& path) const {
    return path == locations_.roots().home + "/Library" || path == locations_.roots().systemRoot + "/Library";
}

bool AppPathFinder::isTheirs(const std::string& name, const OtherInstalledApps& otherApps) const {
    const WordedKey folder = entryWords(name, true);
    return otherApps.claim(folder, matcher_.longestFormIn(folder)) == OtherInstalledApps::Claim::theirs;
}

bool AppPathFinder::liesInOtherAppsFolder(const std::string& root, const std::string& path,
                                          const OtherInstalledApps& otherApps) const {
    for (std::string folder = path; PathText::isStrictlyInside(folder, root);
         folder = PathText::deletingLastPathComponent(folder))
        if (isTheirs(PathText::lastPathComponent(folder), otherApps))
            return true;
    return false;
}

void AppPathFinder::processLocation(const std::string& root, const std::string& path, int currentDepth,
                                    int maxDepth, bool isLibraryRootSearch,
                                    const OtherInstalledApps& otherApps, Collection& collection) const {
    const auto names = directoryEntryNames(path);
    if (!names)
        return;
    const bool othersMayWrite = othersMayWriteToFolderAt(path, true);
    // Where others may also rename their entries over these names, none of them can go by its name: the
    // user's own folders are only walked into.
    const bool othersMayReplace = othersMayWrite && othersMayReplaceEntriesInFolderAt(path, true);
    const bool parentRule = isLibraryRootSearch && currentDepth == 2;
    const bool topLevelRule = isLibraryRootSearch && currentDepth == 0;
    // Three levels down a Library root, a match inside a vendor's folder reports the vendor's folder,
    // which goes whole only if all of it is this application's.
    const bool reportParent =
        parentRule && !Locations::standardLibrarySubdirectories().contains(PathText::lastPathComponent(path));

    std::vector<std::string> found;
    std::vector<std::string> subfolders;
    bool foundForAnEntry = false;
    for (const std::string& name : *names) {
        std::string itemPath = PathText::appendingPathComponent(path, name);
        const EntryStatus status = statusOf(itemPath);
        if (!status.exists || (othersMayWrite && status.owner != surroundings_.user))
            continue;
        const WordedKey entry = entryWords(name, status.isDirectory);
        if (shouldSkipItem(entry.key(), itemPath))
            continue;
        // Whose a match is, and whether a folder goes whole, is judged once the walk is done.
        if (matcher_.matches(entry)) {
            if (reportParent)
                foundForAnEntry = true;
            else if (!othersMayReplace)
                found.push_back(itemPath);
        }
        // Linked folders and other mounts (a bind mount of a folder from elsewhere too) are reported but
        // never entered: what lies behind them belongs elsewhere.
        if (status.isDirectory && !status.isSymlink && !status.isMountRoot && currentDepth < maxDepth &&
            !(topLevelRule && skipDeepSearch().contains(name)))
            subfolders.push_back(std::move(itemPath));
    }
    // Nothing inside another installed application's folder is this one's. Asked only of folders that
    // hold a find: most hold none, and the names of every installed application are many to compare.
    if ((!found.empty() || foundForAnEntry) && liesInOtherAppsFolder(root, path, otherApps)) {
        found.clear();
        foundForAnEntry = false;
    }
    collection.insert(found, foundForAnEntry ? std::vector<std::string>{path} : std::vector<std::string>{});
    for (const std::string& subfolder : subfolders)
        processLocation(root, subfolder, currentDepth + 1, maxDepth, isLibraryRootSearch, otherApps,
                        collection);
}

bool AppPathFinder::shouldSkipItem(const std::string& key, const std::string& itemPath) const {
    // The bundle is collected before the walk starts. Finds of other workers are deliberately not
    // consulted here: whether another root got there first must not change what this root reports.
    return itemPath == bundlePath_ || isKeptBySkipTables(key, itemPath);
}

bool AppPathFinder::isKeptBySkipTables(const std::string& key, const std::string& itemPath) const {
    for (const SkipCondition& row : tables_.skipConditions) {
        if (startsWithAny(itemPath, row.skipPaths))
            return true;
        if (startsWithAny(key, row.skipPrefixes) && !startsWithAny(key, row.allowPrefixes))
            return true;
    }
    return false;
}

std::vector<std::string> AppPathFinder::discoverContainers() const {
    const std::string folder = locations_.roots().home + "/Library/Containers";
    const std::string& bundleID = matcher_.forms().normalizedBundleID;
    const bool matchByName = characterCount(bundleID) >= 5;
    std::vector<std::string> containers;
    for (const std::string& name : directoryEntryNames(folder).value_or(std::vector<std::string>{})) {
        if (name.starts_with("."))
            continue;
        const std::string path = folder + "/" + name;
        const bool uuidShaped = characterCount(name) == 36 && name.find('-') != std::string::npos;
        if ((uuidShaped && isContainerFor(path, appInfo_.bundleIdentifier)) ||
            (matchByName && normalizedForMatching(name) == bundleID))
            containers.push_back(path);
    }
    return containers;
}

void AppPathFinder::applyConditions(Finds& finds) const {
    for (const AppCondition& row : matcher_.selectedConditions()) {
        for (const std::string& path : row.forceIncludePaths.value_or(std::vector<std::string>{})) {
            struct stat info;
            if (::stat(path.c_str(), &info) == 0) {
                finds.paths.insert(path);
                finds.forAnEntryInside.erase(path);
            }
        }
        for (const std::string& path : row.forceExcludePaths.value_or(std::vector<std::string>{}))
            finds.paths.erase(path);
    }
}

void AppPathFinder::removeNeverReported(std::set<std::string>& paths) const {
    std::erase_if(paths, [&](const std::string& path) {
        return neverReported_.contains(path) || PathText::lastPathComponent(path) == "Library";
    });
}

} // namespace zn
