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

// The one message of a removal that refused part of the selection and may also have failed for the rest.
std::optional<std::string> combinedRemovalMessage(std::size_t refusedCount,
                                                  const std::optional<std::string>& failureMessage);

} // namespace zn
