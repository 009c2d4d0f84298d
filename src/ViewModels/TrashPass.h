#pragma once

#include "Platform/core/Trash.h"
#include "Services/CleaningEngine.h"
#include "Logic/Removal/RemovalPathRules.h"

#include <functional>
#include <string>
#include <vector>

namespace zn {

// Moves one path to the Trash; the real one is Trash::moveToTrash.
using TrashMover = std::function<Trash::Outcome(const std::string& path, Trash::EntriesOfOthers others)>;

// Where each file of the uninstaller's Trash pass ended up.
struct TrashPassOutcome {
    std::vector<std::string> trashed; // moved to the Trash, or already gone
    bool needsFullDiskAccess = false; // a permission failure that the administrator pass will not see
    std::vector<std::string> administratorCandidates;
    std::vector<std::string> failed;
    // Left in place because the Trash itself could not take them: no other way of removing them is tried.
    std::vector<std::string> trashFailures;
    // The links among `failed`: never retried, since a retry removes what a link leads to.
    std::vector<std::string> failedLinks;
    std::vector<std::string> refused; // reached through a link: left alone
    // Left in place because they are, or hold, an entry of another user: each with the first such entry.
    std::vector<KeptItem> keptForOtherUsers;

    bool operator==(const TrashPassOutcome&) const = default;
};

// Whether a path that the Trash pass could not move may go to the administrator pass or the access retry.
// Those removals are not the Trash's single move, so a path with a link on its way, or one that is itself
// a link, may not. Asked again right before the administrator pass, which may come a while later; the
// engine asks once more as it takes the path (PathReading::asChecked), for the retry too.
bool mayGoToLinkResolvingRemoval(const std::string& path);

// The uninstaller's Trash pass over `paths`, in order; blocking, run off the main thread. Right before
// each move the path is checked once more: one with a symbolic link on its way is refused, since the
// move would take an entry from another folder than the one the user was shown; the move itself then acts
// on the path as checked. A failure of the Trash itself (it cannot be made or written) leaves the file in
// place and is only reported. A permission failure of the file's own goes to the administrator pass when
// Full Disk Access is present or the rules call the path an administrator removal; otherwise it fails and
// asks for access. A link is the exception: both of those remove what a
// link leads to, so a link that cannot be moved simply fails, and is named in `failedLinks`. A path
// reported missing counts as trashed only when it really is gone. Nothing that is, or holds, another
// person's entry moves (it is kept and named), but an application bundle in the machine's applications
// folder, which is the machine's whoever installed it.
TrashPassOutcome trashDirectly(const std::vector<std::string>& paths, const TrashMover& moveToTrash,
                               bool hasFullDiskAccess, const RemovalPathRules& rules);

} // namespace zn
