#pragma once

#include "Platform/qt/Trash.h"
#include "ViewModels/RemovalPathRules.h"

#include <functional>
#include <string>
#include <vector>

namespace zn {

// Moves one path to the Trash; the real one is Trash::moveToTrash.
using TrashMover = std::function<Trash::Outcome(const std::string& path)>;

// Where each file of the uninstaller's Trash pass ended up.
struct TrashPassOutcome {
    std::vector<std::string> trashed; // moved to the Trash, or already gone
    bool needsFullDiskAccess = false; // a permission failure that the administrator pass will not see
    std::vector<std::string> administratorCandidates;
    std::vector<std::string> failed;

    bool operator==(const TrashPassOutcome&) const = default;
};

// The uninstaller's Trash pass over `paths`, in order; blocking, run off the main thread. A permission
// failure goes to the administrator pass when Full Disk Access is present or the rules call the path an
// administrator removal; otherwise it fails and asks for access. A path reported missing counts as
// trashed only when it really is gone.
TrashPassOutcome trashDirectly(const std::vector<std::string>& paths, const TrashMover& moveToTrash,
                               bool hasFullDiskAccess, const RemovalPathRules& rules);

} // namespace zn
