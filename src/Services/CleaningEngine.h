#pragma once

#include "Models/CleanableItem.h"
#include "Services/CleaningEngine+Roots.h"
#include "Platform/core/AdminRunner.h"
#include "Platform/core/HomeDirectory.h"
#include "Platform/core/SafeRemoval.h"
#include "Platform/core/VolumeInfo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace zn {

// What one cleaning operation did. Built only by the engine.
struct CleaningResult {
    std::int64_t freedSpace = 0;   // sizes of the removed items plus what a purge released
    std::int64_t deletedCount = 0; // removed items; a purge that released something counts as one
    std::vector<std::string> errors;
    std::set<std::string> deletedPaths;         // each removed item's `path`, as the item carried it
    std::vector<CleanableItem> deferredToAdmin; // removals that failed for lack of permission
};

// The engine's outside world. Empty members take the system's own.
struct CleaningEngineOptions {
    std::string diskutilPath = "/usr/sbin/diskutil";
    std::shared_ptr<AdminRunner> adminRunner;
    std::shared_ptr<RemovalFileOperations> fileOperations;
    std::shared_ptr<const VolumeInfo> volumeInfo;
    // Where the administrator pass writes its list of paths; by default $TMPDIR, else "/tmp".
    std::optional<std::string> temporaryDirectory;
};

// Deletes what the user chose, permanently, and only where the path rules allow it. Each public operation
// holds the engine's mutex for its whole run, so operations never overlap. Nothing is thrown to callers:
// every problem becomes a text in the result and a line in the shared log.
class CleaningEngine {
public:
    explicit CleaningEngine(std::string home = currentUserHomeDirectory(),
                            CleaningEngineOptions options = {});

    // Removes the items one by one, reporting (i + 1) / n before item i. Permission failures are handed
    // back in `deferredToAdmin` for cleanWithAdminPrivileges.
    CleaningResult cleanItems(const std::vector<CleanableItem>& items,
                              const std::function<void(double)>& progressHandler);
    // One administrator-authorised removal of all the items that pass the rules again.
    CleaningResult cleanWithAdminPrivileges(const std::vector<CleanableItem>& items);
    // Asks the disk tool to release purgeable space; the bytes of free space gained, never below 0.
    std::int64_t purgePurgeableSpace();

    // The path rules, on absolute paths whose links are already resolved. Pure text tests after
    // standardisation; a relative path, one starting with "~" or one holding a NUL byte passes none.
    // The allowed-root rule: inside one of the allowed roots (some of which may also go as a whole).
    bool isSafeToDelete(const std::string& resolvedPath) const;
    // Anything below the home folder's Downloads, Documents or Desktop (never those folders themselves).
    bool isExplicitSingleFileDeletable(const std::string& resolvedPath) const;
    // Inside an application bundle in an Applications folder, an installer receipt, or a system launch
    // item's property list.
    bool isSafeUninstallEscalationPath(const std::string& path) const;

    // The home folder the rules are built on, with its links resolved.
    const std::string& home() const { return home_; }

private:
    void preparePathRules();
    // Only an absolute path is tested for existence or resolved: nobody would expand "~", and a relative
    // path would depend on the working folder. A NUL byte would cut the path short in every system call.
    static bool isAbsolutePathText(const std::string& path);
    std::optional<std::string> standardizedAbsolute(const std::string& path) const;
    bool isAllowedRootItself(const std::string& standardizedPath) const;
    // The resolved path is tested and removed as it is, so it must already be in its final form: absolute,
    // standardised and free of links.
    bool isRemovableForm(const std::string& resolvedPath) const;
    bool admitsInOrdinaryPass(const CleanableItem& item, const std::string& resolvedPath) const;
    bool admitsInAdminPass(const CleanableItem& item, const std::string& resolvedPath) const;

    void removeOne(const CleanableItem& item, CleaningResult& result);
    std::int64_t purge();
    std::optional<std::int64_t> getCurrentFreeSpace() const;
    std::optional<std::string> writeStagingFile(const std::string& contents,
                                                std::string& errorDescription) const;
    void checkSurvivors(const std::vector<std::pair<const CleanableItem*, std::string>>& validated,
                        CleaningResult& result) const;

    std::mutex operationMutex_;
    std::string home_;
    bool homeUsable_ = false;
    std::string diskutilPath_;
    std::string temporaryDirectory_;
    std::shared_ptr<AdminRunner> adminRunner_;
    std::shared_ptr<const VolumeInfo> volumeInfo_;
    SafeRemoval removal_;

    std::vector<CleaningRoot> allowedRoots_;
    std::vector<std::string> explicitFileFolders_; // each with its trailing "/"
};

} // namespace zn
