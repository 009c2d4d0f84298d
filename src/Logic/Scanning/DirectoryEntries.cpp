#include "Logic/Scanning/DirectoryEntries.h"

#include <dirent.h>
#include <string_view>

namespace zn {

std::optional<std::vector<std::string>> directoryEntryNames(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    DIR* directory = ::opendir(path.c_str());
    if (!directory)
        return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(directory)) {
        std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    ::closedir(directory);
    return names;
}

} // namespace zn
