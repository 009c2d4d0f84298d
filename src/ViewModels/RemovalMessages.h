#pragma once

#include "Services/CleaningEngine.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zn {

// The uninstaller's user messages.

// What to tell the user after a removal: `failedCount` files could not be removed. None when there is
// nothing to say.
std::optional<std::string> removalFailureMessage(bool needsFullDiskAccess, bool attemptedAdmin,
                                                 std::size_t failedCount,
                                                 const std::optional<std::string>& adminError);

// Selected files that were refused as credential stores or similar and left alone.
std::string refusedRemovalMessage(std::size_t refusedCount);

// Files that stayed in place because the Trash could not take them.
std::string trashFailureMessage(std::size_t count);

// Files left in place because they are, or hold, entries of other users: the first such entry is named.
std::string keptForOtherUsersMessage(const std::vector<KeptItem>& kept);

// The one message of a removal that may have refused part of the selection, failed for some files, found
// the Trash unusable for others and kept others still for other users, in that order. None when there is
// nothing to say.
std::optional<std::string> combinedRemovalMessage(std::size_t refusedCount,
                                                  const std::optional<std::string>& failureMessage,
                                                  std::size_t trashFailedCount,
                                                  const std::vector<KeptItem>& kept = {});

} // namespace zn
