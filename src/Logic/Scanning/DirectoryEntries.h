#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zn {

// The names in a folder in the order the file system lists them, hidden ones included, without "." and
// "..". None when the folder cannot be listed; never throws.
std::optional<std::vector<std::string>> directoryEntryNames(const std::string& path);

} // namespace zn
