#pragma once

#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace zn {

// True when the open folder is a folder that `user` alone can change: owned by `user`, with no write bit
// for the group or others.
bool isPrivateFolderOf(int folderFd, uid_t user);

// Reads a folder's access ACL (see AccessAcl): "" for none, nothing when it cannot be read.
using AccessAclReader = std::function<std::optional<std::string>()>;

// Whether anyone but the owner of the folder `folder` describes may add entries to it: others through its
// write bit, its group unless that group is the owner's own personal group (the group of one that systems
// give each user, with the user's name, for working under the mask 002), or a named user or group its
// access ACL (read with `readAcl` only when the mode leaves it open) lets write. What cannot be read counts
// as open. False for anything but a folder.
bool othersMayWriteTo(const struct stat& folder, const AccessAclReader& readAcl);
// The same of the folder at `path`, the last link followed or not.
bool othersMayWriteToFolderAt(const std::string& path, bool followLinks);
// The same of an open folder (an O_PATH descriptor will do).
bool othersMayWriteToOpenFolder(int folderFd);

// Whether someone else may put entries of their own under the names the folder holds, between a look at
// an entry and an act on its name: others may write to it and it is not sticky (a sticky folder lets
// nobody rename over or remove another's entries). The open folder, or the folder at `path`, no link
// followed unless `followLinks`.
bool othersMayReplaceEntriesIn(int folderFd);
bool othersMayReplaceEntriesInFolderAt(const std::string& path, bool followLinks = false);

// Whether this process may take the entry described by `entry` out of the open folder `folderFd` (move
// or remove it): 0 when it may, EACCES when it may not write and search the folder (EROFS on a read-only
// file system), EPERM when the folder is sticky and the process owns neither it nor the entry and has no
// power to pass over that. Judged by the process's effective ids and capabilities, as the system judges
// the move itself.
int refusalToTakeEntryFrom(int folderFd, const struct stat& entry);

} // namespace zn
