#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zn {

// The size a file list shows for one entry, never following a final symbolic link: the space the entry
// takes on disk (its allocated blocks, 0 included), or none when it cannot be looked at.
std::optional<std::int64_t> listedFileSize(const std::string& path);

// The same for any listed item, except that a folder (an application bundle, a cache folder) counts the
// allocated space of the regular files inside it, walked without following links. Heavy for big folders:
// run it off the main thread.
std::optional<std::int64_t> listedItemSize(const std::string& path);

// Whether the entry itself is a folder (a link to a folder is not).
bool isFolderEntry(const std::string& path);

} // namespace zn
