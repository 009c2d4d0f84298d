#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace zn {

// True when the open folder is a folder that `user` alone can change: owned by `user`, with no write bit
// for the group or others.
bool isPrivateFolderOf(int folderFd, uid_t user);

// Whether anyone but the owner of the folder `folder` describes may add entries to it: its write bit for
// others, or for its group unless that group is the owner's own personal group (the group of one that
// systems give each user, with the user's name, for working under the mask 002). False for anything but a
// folder.
bool othersMayWriteTo(const struct stat& folder);

// Whether this process may take the entry described by `entry` out of the open folder `folderFd` (move
// or remove it): 0 when it may, EACCES when it may not write and search the folder (EROFS on a read-only
// file system), EPERM when the folder is sticky and the process owns neither it nor the entry and has no
// power to pass over that. Judged by the process's effective ids and capabilities, as the system judges
// the move itself.
int refusalToTakeEntryFrom(int folderFd, const struct stat& entry);

} // namespace zn
