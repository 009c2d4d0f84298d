#pragma once

#include "Models/CleanableItem.h"
#include "Models/DiskInfo.h"
#include "Platform/core/HomeDirectory.h"
#include "Services/ScanEngineOptions.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace zn {

// Finds removable files, one cleaning category per call; it never deletes anything. An actor: each public
// operation holds the engine's mutex for its whole run, so one runs at a time and callers on other threads
// wait. Nothing is thrown: failures are logged and cost only the piece of the result they concern.
class ScanEngine {
public:
    // The current user's engine: their home folder and this process's $XDG_DATA_HOME.
    ScanEngine();
    explicit ScanEngine(std::string home, ScanEngineOptions options = {});

    // The category's scanner; Quick Clean has none and gives an empty result without touching the disk.
    CategoryResult scanCategory(CleaningCategory category);
    // The categories' results in the order given. Their scans overlap one another, but the call as a whole
    // is one operation of the engine, like every other.
    std::vector<CategoryResult> scanCategories(const std::vector<CleaningCategory>& categories);
    // Capacity of the startup volume; figures that cannot be read are 0.
    DiskInfo getDiskInfo();

    CategoryResult scanSystemJunk();
    CategoryResult scanUserCache();
    CategoryResult scanPrivacySweep();
    CategoryResult scanAIApps();
    CategoryResult scanMailAttachments();
    CategoryResult scanTrash();
    CategoryResult scanLargeFiles();
    CategoryResult scanPurgeableSpace();
    CategoryResult scanXcodeJunk();
    CategoryResult scanBrewCache();
    CategoryResult scanNodeCache();
    CategoryResult scanDockerCache();

    // The entries of the folder at `path`, one level deep whatever `recursive` and `maxDepth` say, as
    // selected items of more than 1,024 bytes. Symbolic links are skipped, and so is every entry whose
    // standardised path is in `excluding` (compared as exact text).
    std::vector<CleanableItem> scanDirectory(const std::string& path, CleaningCategory category,
                                             bool recursive = false, int maxDepth = 1,
                                             const std::unordered_set<std::string>& excluding = {});
    std::int64_t directorySize(const std::string& path);
    std::optional<Date> fileModDate(const std::string& path);
    // Keeps the first item of each standardised path, in order.
    std::vector<CleanableItem> deduplicatedItems(const std::vector<CleanableItem>& items);
    // The tool's standard output when it started, ended with status 0 within the time limit, and wrote
    // UTF-8; otherwise none. A tool that cannot start, or that runs past the limit, is logged.
    std::optional<std::string> runCommandReadingStdout(const std::string& executable,
                                                       const std::vector<std::string>& args);
    // The first executable file named `name` in the folders, in order; a folder whose path ends in
    // "/.nvm/versions/node" is also searched in the "bin" folder of each of its version folders.
    std::optional<std::string> locateExecutable(const std::string& name,
                                                const std::vector<std::string>& searchPaths);

    // A size as the container tool prints it ("2.5GB", "512B", "1.005kB"), in powers of 1,000, read in
    // the C locale; none for anything else, a non-finite value or one past the signed 64-bit range.
    static std::optional<std::int64_t> parseHumanBytes(std::string_view text);

    // One fixed candidate of the browser privacy and AI app scanners (ScanEngine+CleanupTargets.h).
    struct CleanupTarget;
    // The keep rule of those scanners: the targets that exist (never as a symbolic link themselves) and
    // reach their minimum size, as items of `category` carrying the target's selection, the first of each
    // standardised path only, largest first with equal sizes in target order.
    CategoryResult scanCleanupTargets(const std::vector<CleanupTarget>& targets, CleaningCategory category);

    const std::string& home() const { return home_; }
    const ScanEngineOptions& options() const { return options_; }

private:
    // The operations themselves, run with the mutex already held; scanners call one another through these.
    CategoryResult scanCategoryLocked(CleaningCategory category);
    DiskInfo getDiskInfoLocked();
    CategoryResult scanSystemJunkLocked();
    CategoryResult scanUserCacheLocked();
    CategoryResult scanPrivacySweepLocked();
    CategoryResult scanAIAppsLocked();
    CategoryResult scanMailAttachmentsLocked();
    CategoryResult scanTrashLocked();
    CategoryResult scanLargeFilesLocked();
    CategoryResult scanPurgeableSpaceLocked();
    CategoryResult scanXcodeJunkLocked();
    CategoryResult scanBrewCacheLocked();
    CategoryResult scanNodeCacheLocked();
    CategoryResult scanDockerCacheLocked();
    std::vector<CleanableItem> scanDirectoryLocked(const std::string& path, CleaningCategory category,
                                                   const std::unordered_set<std::string>& excluding) const;
    std::int64_t directorySizeLocked(const std::string& path) const;
    std::optional<Date> fileModDateLocked(const std::string& path) const;
    std::vector<CleanableItem> deduplicatedItemsLocked(const std::vector<CleanableItem>& items) const;
    std::optional<std::string> runCommandReadingStdoutLocked(const std::string& executable,
                                                             const std::vector<std::string>& args);
    std::optional<std::string> locateExecutableLocked(const std::string& name,
                                                      const std::vector<std::string>& searchPaths) const;
    // How a tool stopped by the time limit is described in log lines.
    std::string toolTimeLimitDescription() const;

    // Xcode and Docker folders are named by what they hold.
    static std::string codingAppFileName(const std::string& path);
    static std::string dockerFileName(const std::string& path);
    // Homebrew's own answer to where its cache is, when it lies inside an accepted cache root.
    std::optional<std::string> reportedBrewCache();
    // npm's, Yarn's or pnpm's own answer, when it names a folder other than the default and not too broad.
    std::optional<std::string> reportedNodeToolCache(const std::string& tool,
                                                     const std::vector<std::string>& args,
                                                     const std::string& defaultPath,
                                                     const std::vector<std::string>& searchPaths);
    // The bytes the container tool says it could free; none when it cannot run or fails.
    std::optional<std::int64_t> reclaimableDockerSpace(const std::string& dockerBin);
    // The unselected item of that space, asked of the first container tool that exists.
    std::optional<CleanableItem> reclaimableDockerItem();

    CategoryResult scanCleanupTargetsLocked(const std::vector<CleanupTarget>& targets,
                                            CleaningCategory category) const;
    std::optional<CleanableItem> keptCleanupItem(const CleanupTarget& target,
                                                 CleaningCategory category) const;

    // A local Time Machine snapshot of the startup volume.
    struct SnapshotInfo {
        std::string name;         // the snapshot listing's line, trimmed; also its key in the APFS listing
        std::int64_t size = 0;    // bytes; more than 0 in every snapshot returned
        std::optional<Date> date; // from the first dot-separated piece of the name that reads as a time
    };
    // The snapshots `tmutil` lists that `diskutil` gives a size, in listing order; none on any failure.
    std::vector<SnapshotInfo> getLocalSnapshots();
    // The snapshot's size from the APFS listing, or 0 when it cannot be found or read.
    std::int64_t getSnapshotSize(const std::string& name);

    // Browser privacy: the profile folders of a Chromium-family browser, and the candidates of one of its
    // profiles or of every Firefox profile.
    std::vector<std::string> chromiumProfileDirectories(const std::string& supportRoot) const;
    static std::vector<CleanupTarget> chromiumPrivacyTargets(const std::string& browserName,
                                                             const std::string& profileName,
                                                             const std::string& profile,
                                                             const std::string& cacheProfile);
    std::vector<CleanupTarget> firefoxPrivacyTargets(const std::string& supportRoot,
                                                     const std::string& cacheRoot) const;

    // The system junk of a shared temporary folder: the user's own entries that have rested for a day.
    std::vector<CleanableItem> temporaryFolderItems(const std::string& folder) const;
    // A user cache entry offered as one whole item (a package tool's cache file or folder).
    std::optional<CleanableItem> packageToolCacheItem(const std::string& path) const;
    // A folder offered as one whole, selected item when it exists and measures more than 0 bytes.
    std::optional<CleanableItem> wholeFolderItem(const std::string& path, const std::string& name,
                                                 CleaningCategory category) const;
    // The whole-folder items of these folders (path and name), measured side by side, in the given order.
    std::vector<CleanableItem>
    wholeFolderItems(const std::vector<std::pair<std::string, std::string>>& folders,
                     CleaningCategory category) const;
    // The whole-folder items of a tool's default cache folder and of the other folder `askTool` names, in
    // that order; the default folder is measured while the tool runs.
    std::vector<CleanableItem>
    defaultAndReportedCacheItems(const std::string& defaultPath, const std::string& name,
                                 CleaningCategory category,
                                 const std::function<std::optional<std::string>()>& askTool);
    // The items without those whose folder is the same as, or lies inside, another one's: a tool may name
    // a folder inside its default one, and the same bytes must not be counted twice.
    std::vector<CleanableItem> withoutNestedItems(const std::vector<CleanableItem>& items) const;
    // True when a tool's cache answer (standardised) is relative, or is or holds "/", the home folder or
    // one of the folders the cleaning engine may empty: offered as one item, one clean would wipe it.
    bool isTooBroadForACache(const std::string& standardizedPath) const;

    // The items that were found, in order.
    static std::vector<CleanableItem> presentItems(std::vector<std::optional<CleanableItem>> found);
    // The lists one after another.
    static std::vector<CleanableItem> joinedItems(std::vector<std::vector<CleanableItem>> lists);
    // A fresh result of the items but those that are or lead to a protected place (the home, the working
    // directory, the program's folder or a folder holding one); its total is the saturating sum of the
    // items' sizes.
    CategoryResult resultOf(CleaningCategory category, std::vector<CleanableItem> items) const;
    const FileSystem& fileSystem() const { return *options_.fileSystem; }
    WorkerPool& workers() const { return *options_.workers; }
    // The item of one listing entry, when it is kept.
    std::optional<CleanableItem> listedItem(const std::string& folder, const std::string& name,
                                            CleaningCategory category,
                                            const std::unordered_set<std::string>& excluding) const;
    // The listings of several folders, overlapped, their items in folder order.
    std::vector<CleanableItem> scanDirectoriesLocked(const std::vector<std::string>& folders,
                                                     CleaningCategory category) const;

    std::mutex mutex_;
    const std::string home_;
    const ScanEngineOptions options_;
    const ProtectedPlaces protectedPlaces_;
};

} // namespace zn
