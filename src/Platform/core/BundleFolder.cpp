#include "Platform/core/BundleFolder.h"

#include "Platform/core/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace zn {

bool hasApplicationBundleName(std::string_view name) {
    return name.size() > 4 && name.ends_with(".app");
}

bool holdsBundleInfo(int folderFd) {
    const UniqueFd contents(::openat(folderFd, "Contents", O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info;
    return contents.get() >= 0 && ::fstatat(contents.get(), "Info.plist", &info, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(info.st_mode);
}

} // namespace zn
