#include "ViewModels/TrashPass.h"

#include "Logic/Utilities/Logger.h"
#include "Platform/core/FileSystem.h"

#include <cerrno>
#include <sys/stat.h>

namespace zn {

namespace {

const std::string kSource = "trashDirectly(urls:completion:)";

bool isPermissionDenied(int error) {
    return error == EACCES || error == EPERM;
}

bool entryExists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

} // namespace

TrashPassOutcome trashDirectly(const std::vector<std::string>& paths, const TrashMover& moveToTrash,
                               bool hasFullDiskAccess, const RemovalPathRules& rules) {
    TrashPassOutcome outcome;
    for (const std::string& path : paths) {
        const Trash::Outcome moved = moveToTrash(path);
        if (moved.moved) {
            outcome.trashed.push_back(path);
        } else if (moved.errorNumber == ENOENT && !entryExists(path)) {
            Logger::shared().log("Trash skipped for " + path + ": file no longer exists", LogLevel::info,
                                 kSource);
            outcome.trashed.push_back(path);
        } else if (isPermissionDenied(moved.errorNumber) &&
                   (hasFullDiskAccess || rules.isLikelyAdministratorRemovalPath(path))) {
            outcome.administratorCandidates.push_back(path);
        } else if (isPermissionDenied(moved.errorNumber)) {
            outcome.failed.push_back(path);
            outcome.needsFullDiskAccess = true;
        } else {
            // A missing Trash folder also reports ENOENT; the file is still there, so that is a failure.
            Logger::shared().log("Trash failed for " + path + ": " + fileErrorDescription(moved.errorNumber),
                                 LogLevel::error, kSource);
            outcome.failed.push_back(path);
        }
    }
    return outcome;
}

} // namespace zn
