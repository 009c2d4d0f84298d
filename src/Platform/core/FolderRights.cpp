#include "Platform/core/FolderRights.h"

namespace zn {

bool isPrivateFolderOf(int folderFd, uid_t user) {
    struct stat info;
    return ::fstat(folderFd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace zn
