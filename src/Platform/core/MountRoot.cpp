#include "Platform/core/MountRoot.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace zn {

bool isMountRoot(const char* path) {
    struct statx status;
    return ::statx(AT_FDCWD, path, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, 0, &status) == 0 &&
           (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
           (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

} // namespace zn
