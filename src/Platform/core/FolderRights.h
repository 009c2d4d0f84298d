#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace zn {

// True when the open folder is a folder that `user` alone can change: owned by `user`, with no write bit
// for the group or others.
bool isPrivateFolderOf(int folderFd, uid_t user);

} // namespace zn
