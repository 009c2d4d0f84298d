#pragma once

#include <cstddef>
#include <string>

namespace zn {

// The longest name of an entry in a Trash's "files": its record in "info" adds ".trashinfo" to it, and
// both must be names the file system takes.
inline constexpr std::size_t kTrashEntryNameLimit = 255 - 10;

// The name `name` takes on its `attempt`th try (1, 2, 3...) at a free place: itself, then with ".2", ".3"...
// added, each cut short before its extension, at a character boundary, to fit `limit` bytes.
std::string numberedEntryName(const std::string& name, int attempt, std::size_t limit);

} // namespace zn
