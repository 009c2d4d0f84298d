#include "ViewModels/OrphanRemoval.h"

#include "Logic/Utilities/Logger.h"
#include "Logic/Utilities/OrphanSafetyPolicy.h"
#include "Platform/core/SafeRemoval.h"
#include "Platform/core/VisibleText.h"
#include "ViewModels/OrphanAdminRemoval.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace zn {

namespace {

const std::string kSource = "removeSelectedOrphans()";
constexpr std::size_t kListedFailures = 3;

bool somethingRemainsAtPath(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0)
        return true;
    return errno != ENOENT && errno != ENOTDIR;
}

} // namespace

OrphanRemovalTools OrphanRemovalTools::system() {
    const auto isSafe = [](const std::string& path) { return OrphanSafetyPolicy::isSafeCandidate(path); };
    return {
        isSafe,
        removeLeftoverPermanently,
        [isSafe](const std::vector<std::string>& paths) {
            SystemAdminRunner runner;
            return removeLeftoversWithAdminPrivileges(paths, runner, isSafe);
        },
        somethingRemainsAtPath,
        // The Trash takes a path as written, with no link on the way; leftovers keep their folders' links
        // resolved, as their permanent removal does.
        [](const std::string& path) {
            const auto target = leftoverRemovalPath(path);
            return target ? Trash().moveToTrash(*target) : Trash::Outcome{false, EINVAL, {}};
        },
    };
}

OrphanRemoveOutcome removeLeftoverPermanently(const std::string& path) {
    const auto target = leftoverRemovalPath(path);
    if (!target)
        return OrphanRemoveOutcome::failed;
    const RemovalResult result = SafeRemoval(std::make_shared<SystemRemovalFileOperations>())
                                     .removeItem(*target, SafeRemoval::Scope::wholeItem);
    if (result.succeeded())
        return OrphanRemoveOutcome::removed;
    if (result.errorNumber == EACCES || result.errorNumber == EPERM)
        return OrphanRemoveOutcome::permissionDenied;
    Logger::shared().log("Couldn't remove " + path + ": " + result.description, LogLevel::error, kSource);
    return OrphanRemoveOutcome::failed;
}

std::string keptForSafetyText(const std::string& path) {
    return path + " (kept for safety)";
}

OrphanRemovalOutcome removeOrphans(const std::vector<std::string>& paths, const OrphanRemovalTools& tools) {
    OrphanRemovalOutcome outcome;
    std::vector<std::string> forAdministrator;
    for (const std::string& path : paths) {
        if (!tools.isSafeCandidate(path)) {
            outcome.failures.push_back(keptForSafetyText(path));
            continue;
        }
        switch (tools.removePermanently(path)) {
        case OrphanRemoveOutcome::removed:
            outcome.removed.insert(path);
            break;
        case OrphanRemoveOutcome::permissionDenied:
            forAdministrator.push_back(path);
            break;
        case OrphanRemoveOutcome::failed:
            outcome.failures.push_back(path);
            break;
        }
    }
    if (forAdministrator.empty())
        return outcome;

    const bool ran = tools.removeWithAdminPrivileges(forAdministrator);
    for (const std::string& path : forAdministrator) {
        if (ran && !tools.somethingRemainsAt(path))
            outcome.removed.insert(path);
        else
            outcome.failures.push_back(path);
    }
    return outcome;
}

std::optional<std::string> orphanRemovalMessage(const std::vector<std::string>& failures) {
    if (failures.empty())
        return std::nullopt;
    std::string message = "Zelva Nexal couldn't remove " + std::to_string(failures.size()) + " item(s).\n\n";
    for (std::size_t i = 0; i < failures.size() && i < kListedFailures; ++i)
        message += (i > 0 ? "\n" : "") + visibleText(failures[i]);
    if (failures.size() > kListedFailures)
        message += "\n…";
    return message;
}

OrphanTrashOutcome trashOrphan(const std::string& path, const OrphanRemovalTools& tools) {
    if (!tools.isSafeCandidate(path))
        return OrphanTrashOutcome::keptForSafety;
    const Trash::Outcome moved = tools.moveToTrash(path);
    if (moved.moved)
        return OrphanTrashOutcome::trashed;
    // A missing folder of the Trash's also reports ENOENT: only a look at the path tells it is gone.
    if (moved.errorNumber == ENOENT && !tools.somethingRemainsAt(path))
        return OrphanTrashOutcome::alreadyGone;
    Logger::shared().log("Couldn't move " + path + " to the Trash: " + std::strerror(moved.errorNumber),
                         LogLevel::warning, "moveToTrash(_:)");
    return OrphanTrashOutcome::failed;
}

} // namespace zn
