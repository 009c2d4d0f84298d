#include "Platform/core/FolderRights.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace zn {

namespace {

bool hasEffectiveCapability(unsigned capability) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    return (data[capability / 32].effective & (1u << (capability % 32))) != 0;
}

} // namespace

bool isPrivateFolderOf(int folderFd, uid_t user) {
    struct stat info;
    return ::fstat(folderFd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

int refusalToTakeEntryFrom(int folderFd, const struct stat& entry) {
    if (::faccessat(folderFd, ".", W_OK | X_OK, AT_EACCESS) != 0)
        return errno;
    struct stat folder;
    if (::fstat(folderFd, &folder) != 0)
        return errno;
    const uid_t self = ::geteuid();
    if ((folder.st_mode & S_ISVTX) && folder.st_uid != self && entry.st_uid != self &&
        !hasEffectiveCapability(CAP_FOWNER))
        return EPERM;
    return 0;
}

} // namespace zn
