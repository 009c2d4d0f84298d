#include "Platform/core/ItemSize.h"

#include "Platform/core/TreeWalk.h"

#include <sys/stat.h>

namespace zn {

std::optional<std::int64_t> listedFileSize(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_blocks) * 512;
}

std::optional<std::int64_t> listedItemSize(const std::string& path) {
    if (!isFolderEntry(path))
        return listedFileSize(path);
    return allocatedSizeOfTree(path);
}

bool isFolderEntry(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace zn
