#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zn {

// Reading files that anyone could have put in a home folder. The file is opened without waiting and looked
// at through the opened descriptor before a byte is read: a named pipe, a device or a socket where a file
// should be is never read (an open of a pipe would wait for a writer for good), and a file swapped between
// a look and the open cannot slip through.

// A bundle's metadata (an Info.plist, its translations, a container's metadata) is a few kilobytes; a file of
// more than this is not one, and reading it whole would only cost memory.
inline constexpr std::size_t kMetadataFileLimit = 16 * 1024 * 1024;

// The whole contents of a regular file of at most `limit` bytes; none for anything else, a larger file or
// one that cannot be read.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit);
// The first `count` bytes of a regular file (all of a shorter one); none as above.
std::optional<std::string> readRegularFileHead(const std::string& path, std::size_t count);

} // namespace zn
