#pragma once

#include "Models/CleanableItem.h"
#include "Platform/core/AdminRunner.h"
#include "Platform/core/HomeDirectory.h"
#include "Platform/core/HomeTrash.h"
#include "Platform/core/PeopleAccounts.h"
#include "Platform/core/SafeRemoval.h"
#include "Platform/core/VolumeInfo.h"
#include "Logic/Removal/CleaningPathRules.h"
#include "Logic/Removal/PrivilegedRemovalRecords.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <unistd.h>
#include <unordered_set>
#include <utility>
#include <vector>

namespace zn {

// An item that stayed, all or in part, for other people (an entry of theirs, or a folder they may change),
// which nothing removes: everything else in it went.
struct KeptItem {
    std::string path;    // the item's `path`, as the item carried it
    KeptEntry keptEntry; // the first entry kept
    bool operator==(const KeptItem&) const = default;
};

// What one cleaning operation did. Built only by the engine.
struct CleaningResult {
    std::int64_t freedSpace = 0;   // sizes of the removed items plus what a purge released
    std::int64_t deletedCount = 0; // removed items; a purge that released something counts as one
    std::vector<std::string> errors;
    std::set<std::string> deletedPaths;           // each removed item's `path`, as the item carried it
    std::vector<CleanableItem> deferredToAdmin;   // removals that failed for lack of permission
    std::vector<KeptItem> keptForOtherUsers = {}; // not removed, but no error either: they are not the user's
};

// The engine's outside world. Empty members take the system's own.
struct CleaningEngineOptions {
    std::string diskutilPath = "/usr/sbin/diskutil";
    std::shared_ptr<AdminRunner> adminRunner;
    std::shared_ptr<RemovalFileOperations> fileOperations;
    std::shared_ptr<const VolumeInfo> volumeInfo;
    // Where the AppleScript form of the administrator pass writes its list of paths; by default $TMPDIR,
    // else "/tmp".
    std::optional<std::string> temporaryDirectory;
    // The allowed roots outside the home folder, and the shared temporary folders, where only the user's
    // own entries go and never through the administrator pass.
    SystemCleaningFolders systemFolders;
    // The user the cleaning is done for: in a shared temporary folder only that user's entries go, once
    // they rested for a day by this clock (the system's when empty).
    uid_t callingUser = ::getuid();
    std::function<Date()> now;
    // Where the program runs from: no folder holding it (or the home) ever goes.
    RunningProgramPlaces runningProgram = currentRunningProgramPlaces();
    // $XDG_DATA_HOME, which places the home Trash; none means home + "/.local/share". The current user's
    // engine takes the process's own.
    std::optional<std::string> dataHome;
    // The user ids of people: nothing another person owns is removed for the calling user. None means the
    // system's login.defs.
    std::optional<People> people;
};

// How the engine reads an item's path before judging it.
enum class PathReading {
    // The links in the path are followed: the place they lead to is judged and removed.
    resolvingLinks,
    // The path as it was checked by its caller: it must name the entry itself, with no link on its way and
    // not a link itself, and is judged and removed as written, never looked up anew; otherwise it is
    // refused.
    asChecked,
};

// Deletes what the user chose, permanently, and only where the path rules allow it. Each public operation
// holds the engine's mutex for its whole run, so operations never overlap. Nothing is thrown to callers:
// every problem becomes a text in the result and a line in the shared log.
class CleaningEngine {
public:
    // The current user's engine: their home folder and this process's $XDG_DATA_HOME.
    CleaningEngine();
    explicit CleaningEngine(std::string home, CleaningEngineOptions options = {});

    // Removes the items one by one, reporting (i + 1) / n before item i. Permission failures are handed
    // back in `deferredToAdmin` for cleanWithAdminPrivileges. A Trash entry that is gone afterwards takes
    // its ".trashinfo" record along.
    CleaningResult cleanItems(const std::vector<CleanableItem>& items,
                              const std::function<void(double)>& progressHandler,
                              PathReading reading = PathReading::resolvingLinks);
    // One administrator-authorised removal of all the items that pass the rules again.
    CleaningResult cleanWithAdminPrivileges(const std::vector<CleanableItem>& items,
                                            PathReading reading = PathReading::resolvingLinks);
    // Asks the disk tool to release purgeable space; the bytes of free space gained, never below 0.
    std::int64_t purgePurgeableSpace();

    // The path rules, on absolute paths whose links are already resolved (see CleaningPathRules).
    bool isSafeToDelete(const std::string& resolvedPath) const { return rules_.isSafeToDelete(resolvedPath); }
    bool isExplicitSingleFileDeletable(const std::string& resolvedPath) const {
        return rules_.isExplicitSingleFileDeletable(resolvedPath);
    }
    bool isSafeUninstallEscalationPath(const std::string& path) const {
        return rules_.isSafeUninstallEscalationPath(path);
    }

    // The home folder the rules are built on, with its links resolved.
    const std::string& home() const { return rules_.home(); }

private:
    using ValidatedItems = std::vector<std::pair<const CleanableItem*, std::string>>;

    // The path the rules judge and the removal acts on, or none when the path must be refused.
    static std::optional<std::string> pathToJudge(const std::string& path, PathReading reading);
    void removeOne(const CleanableItem& item, PathReading reading, CleaningResult& result);
    std::int64_t purge();
    std::optional<std::int64_t> getCurrentFreeSpace() const;
    // The AppleScript form: the places staged in a private file that a root shell reads.
    std::optional<AdminRunOutcome> runAppleScriptRemoval(const std::vector<PrivilegedRemovalRecord>& records) const;
    // Each item as the pass reports it: removed, kept for other people, or survived.
    void readReport(const ValidatedItems& validated, const PrivilegedRemovalReport& report,
                    CleaningResult& result) const;
    void countRemoved(const CleanableItem& item, const std::string& resolved,
                      std::unordered_set<std::string>& counted, CleaningResult& result) const;
    // Removes the record of an entry of the home Trash that is gone; a failure is only logged.
    void forgetTrashRecord(CleaningCategory category, const std::string& resolvedPath) const;

    std::mutex operationMutex_;
    std::string diskutilPath_;
    std::string temporaryDirectory_;
    std::shared_ptr<AdminRunner> adminRunner_;
    std::shared_ptr<const VolumeInfo> volumeInfo_;
    SafeRemoval removal_;
    OtherPeople otherPeople_;
    CleaningPathRules rules_;
    HomeTrash homeTrash_;
};

} // namespace zn
