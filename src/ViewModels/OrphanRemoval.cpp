#include "ViewModels/OrphanRemoval.h"

#include "Logic/Removal/TrashVerdict.h"
#include "Logic/Utilities/Logger.h"
#include "Platform/core/FileSystem.h"
#include "Platform/core/PathText.h"
#include "Platform/core/SafeRemoval.h"
#include "Platform/core/VisibleText.h"
#include "Logic/Removal/OrphanAdminRemoval.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace zn {

namespace {

const std::string kSource = "removeSelectedOrphans()";
constexpr std::size_t kListedFailures = 3;

} // namespace

OrphanRemovalTools OrphanRemovalTools::forRules(std::shared_ptr<const LeftoverRules> rules, Trash trash) {
    const auto mayGoToAdministrator = [rules](const std::string& path) {
        return rules->mayGoToAdministrator(path);
    };
    return {
        [rules](const std::string& path) { return rules->checkedPath(path); },
        mayGoToAdministrator,
        [rules](const std::string& path) { return removeLeftoverPermanently(path, rules->otherPeople()); },
        [mayGoToAdministrator](const std::vector<std::string>& paths) {
            SystemAdminRunner runner;
            return removeLeftoversWithAdminPrivileges(paths, runner, mayGoToAdministrator);
        },
        [trash = std::move(trash)](const std::string& path) { return trash.moveToTrash(path); },
    };
}

OrphanRemovalTools OrphanRemovalTools::system() {
    return forRules(LeftoverRules::currentUser(), Trash());
}

OrphanRemoveResult removeLeftoverPermanently(const std::string& path, const OtherPeople& otherPeople,
                                             std::shared_ptr<RemovalFileOperations> operations) {
    const RemovalResult result =
        SafeRemoval(std::move(operations))
            .removeItem(path, SafeRemoval::Scope::wholeItem, {.keepEntriesOf = otherPeople});
    if (result.succeeded())
        return OrphanRemoveOutcome::removed;
    if (result.keptEntriesOfOthers()) {
        Logger::shared().log("Kept for other users: " + path + ": " + result.description, LogLevel::warning,
                             kSource);
        return {OrphanRemoveOutcome::keptForAnotherUser, result.keptEntries.front()};
    }
    if (result.errorNumber == EACCES || result.errorNumber == EPERM)
        return OrphanRemoveOutcome::permissionDenied;
    Logger::shared().log("Couldn't remove " + path + ": " + result.description, LogLevel::error, kSource);
    return OrphanRemoveOutcome::failed;
}

std::optional<RevealPlace> revealPlaceOf(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0)
        return RevealPlace{path, true};
    const std::string folder = PathText::deletingLastPathComponent(path);
    if (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return RevealPlace{folder, false};
    return std::nullopt;
}

std::string keptForSafetyText(const std::string& path) {
    return path + " (kept for safety)";
}

OrphanRemovalOutcome removeOrphans(const std::vector<std::string>& paths, const OrphanRemovalTools& tools) {
    OrphanRemovalOutcome outcome;
    // Each path as listed, and the entry its check named: the one every later step acts on.
    std::vector<std::pair<std::string, std::string>> forAdministrator;
    for (const std::string& path : paths) {
        const auto checked = tools.checkedPath(path);
        if (!checked) {
            outcome.failures.push_back(keptForSafetyText(path));
            continue;
        }
        const OrphanRemoveResult removal = tools.removePermanently(*checked);
        switch (removal.outcome) {
        case OrphanRemoveOutcome::removed:
            outcome.removed.insert(path);
            break;
        case OrphanRemoveOutcome::keptForAnotherUser:
            outcome.failures.push_back(keptEntryText(removal.keptEntry));
            break;
        case OrphanRemoveOutcome::permissionDenied:
            if (tools.mayGoToAdministrator(*checked))
                forAdministrator.emplace_back(path, *checked);
            else
                outcome.failures.push_back(path);
            break;
        case OrphanRemoveOutcome::failed:
            outcome.failures.push_back(path);
            break;
        }
    }
    if (forAdministrator.empty())
        return outcome;

    std::vector<std::string> checkedPaths;
    for (const auto& [path, checked] : forAdministrator)
        checkedPaths.push_back(checked);
    const PrivilegedRemovalReport report = tools.removeWithAdminPrivileges(checkedPaths);
    for (const auto& [path, checked] : forAdministrator) {
        if (report.removed.contains(checked))
            outcome.removed.insert(path);
        else if (const auto kept = report.kept.find(checked); kept != report.kept.end())
            outcome.failures.push_back(keptEntryText(kept->second));
        else
            outcome.failures.push_back(path);
    }
    return outcome;
}

std::optional<std::string> orphanRemovalMessage(const std::vector<std::string>& failures) {
    if (failures.empty())
        return std::nullopt;
    std::string message = "Zelva Nexal couldn't remove " + std::to_string(failures.size()) + " item(s).\n\n";
    for (std::size_t i = 0; i < failures.size() && i < kListedFailures; ++i) {
        if (i > 0)
            message += '\n';
        message += visibleText(failures[i]);
    }
    if (failures.size() > kListedFailures)
        message += "\n…";
    return message;
}

OrphanTrashResult trashOrphan(const std::string& path, const OrphanRemovalTools& tools) {
    const auto checked = tools.checkedPath(path);
    if (!checked)
        return OrphanTrashOutcome::keptForSafety;
    const Trash::Outcome moved = tools.moveToTrash(*checked);
    switch (readTrashOutcome(moved, *checked)) {
    case TrashVerdict::moved:
        return OrphanTrashOutcome::trashed;
    case TrashVerdict::alreadyGone:
        return OrphanTrashOutcome::alreadyGone;
    case TrashVerdict::keptForOthers:
        return {OrphanTrashOutcome::keptForAnotherUser, KeptEntry{moved.keptEntry}};
    case TrashVerdict::trashFailed:
    case TrashVerdict::failed:
        break;
    }
    Logger::shared().log("Couldn't move " + path + " to the Trash: " + std::strerror(moved.errorNumber),
                         LogLevel::warning, "moveToTrash(_:)");
    return OrphanTrashOutcome::failed;
}

} // namespace zn
