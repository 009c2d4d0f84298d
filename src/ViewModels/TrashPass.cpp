#include "ViewModels/TrashPass.h"

#include "Logic/Removal/TrashVerdict.h"
#include "Logic/Utilities/Logger.h"
#include "Platform/core/FileSystem.h"
#include "Platform/core/PathResolution.h"

#include <cerrno>
#include <sys/stat.h>

namespace zn {

namespace {

const std::string kSource = "trashDirectly(urls:completion:)";

bool isPermissionDenied(int error) {
    return error == EACCES || error == EPERM;
}

void logTrashFailure(const std::string& path, int error) {
    Logger::shared().log("Trash failed for " + path + ": " + fileErrorDescription(error), LogLevel::error,
                         kSource);
}

} // namespace

bool mayGoToLinkResolvingRemoval(const std::string& path) {
    // An entry that cannot even be looked at (a folder closed to the user) is what those passes are for.
    return namesEntryWithoutLinks(path);
}

TrashPassOutcome trashDirectly(const std::vector<std::string>& paths, const TrashMover& moveToTrash,
                               bool hasFullDiskAccess, const RemovalPathRules& rules) {
    TrashPassOutcome outcome;
    for (const std::string& path : paths) {
        if (!isReachedWithoutLinks(path)) {
            Logger::shared().log("Refused to move " + path +
                                     " to the Trash: a folder on its way is a symbolic link",
                                 LogLevel::warning, kSource);
            outcome.refused.push_back(path);
            continue;
        }
        // Asked again as the move comes: a place the rules protect never goes, whatever led to it meanwhile.
        if (rules.isHighRisk(path)) {
            Logger::shared().log("Refused to move " + path +
                                     " to the Trash: it is a protected place or holds one",
                                 LogLevel::warning, kSource);
            outcome.refused.push_back(path);
            continue;
        }
        const Trash::Outcome moved = moveToTrash(path, rules.mayBeMachineApplicationBundle(path)
                                                           ? Trash::EntriesOfOthers::moveAlongWithBundle
                                                           : Trash::EntriesOfOthers::refuseMove);
        const bool followable = !moved.moved && mayGoToLinkResolvingRemoval(path);
        const bool permissionDenied = isPermissionDenied(moved.errorNumber) && followable;
        switch (readTrashOutcome(moved, path)) {
        case TrashVerdict::moved:
            outcome.trashed.push_back(path);
            break;
        case TrashVerdict::alreadyGone:
            Logger::shared().log("Trash skipped for " + path + ": file no longer exists", LogLevel::info,
                                 kSource);
            outcome.trashed.push_back(path);
            break;
        case TrashVerdict::keptForOthers: {
            const KeptEntry kept{moved.keptEntry};
            Logger::shared().log("Kept " + path + " in place: " + keptEntryText(kept), LogLevel::warning,
                                 kSource);
            outcome.keptForOtherUsers.push_back({path, kept});
            break;
        }
        case TrashVerdict::trashFailed:
            logTrashFailure(path, moved.errorNumber);
            outcome.trashFailures.push_back(path);
            break;
        case TrashVerdict::failed:
            if (permissionDenied && (hasFullDiskAccess || rules.isLikelyAdministratorRemovalPath(path))) {
                outcome.administratorCandidates.push_back(path);
            } else if (permissionDenied) {
                outcome.failed.push_back(path);
                outcome.needsFullDiskAccess = true;
            } else {
                // A missing folder also reports ENOENT; the file is still there, so that is a failure.
                logTrashFailure(path, moved.errorNumber);
                outcome.failed.push_back(path);
                if (!followable)
                    outcome.failedLinks.push_back(path);
            }
            break;
        }
    }
    return outcome;
}

} // namespace zn
