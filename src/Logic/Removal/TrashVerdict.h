#pragma once

#include "Platform/core/Trash.h"

#include <string>

namespace zn {

// What one move to the Trash came to, read the same way by every flow that moves files there.
enum class TrashVerdict {
    moved,
    alreadyGone,   // nothing was left to move
    keptForOthers, // it is, or holds, an entry of another user (Outcome::keptEntry): nothing of it moved
    trashFailed,   // the Trash itself could not take it: another way of removing it is no answer
    failed,        // the item's own failure (Outcome::errorNumber tells why)
};

// ENOENT means gone only when the Trash itself did not fail and nothing is left at `path`: a folder of
// the Trash that went missing reports ENOENT too.
TrashVerdict readTrashOutcome(const Trash::Outcome& outcome, const std::string& path);

} // namespace zn
