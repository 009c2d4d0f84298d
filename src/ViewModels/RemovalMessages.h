#pragma once

#include <cstddef>
#include <optional>
#include <string>

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

// The one message of a removal that may have refused part of the selection, failed for some files and
// found the Trash unusable for others, in that order. None when there is nothing to say.
std::optional<std::string> combinedRemovalMessage(std::size_t refusedCount,
                                                  const std::optional<std::string>& failureMessage,
                                                  std::size_t trashFailedCount);

} // namespace zn
