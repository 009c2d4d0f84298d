#include "Logic/Removal/TrashVerdict.h"

#include "Platform/core/FileSystem.h"

#include <cerrno>

namespace zn {

TrashVerdict readTrashOutcome(const Trash::Outcome& outcome, const std::string& path) {
    if (outcome.moved)
        return TrashVerdict::moved;
    if (outcome.errorNumber == ENOENT && !outcome.trashFailed && !somethingRemainsAt(path))
        return TrashVerdict::alreadyGone;
    if (!outcome.keptEntry.empty())
        return TrashVerdict::keptForOthers;
    if (outcome.trashFailed)
        return TrashVerdict::trashFailed;
    return TrashVerdict::failed;
}

} // namespace zn
