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

// Whether anyone but the owner of the folder `folder` describes may add entries to it: others through the
// write bit, its group unless that is the owner's personal group, or a named user or group its access ACL
// lets write (read with `readAcl` only when the mode leaves it open). What cannot be read counts as open;
// false for anything but a folder.
bool othersMayWriteTo(const struct stat& folder, const AccessAclReader& readAcl);
// The same of the folder at `path`, the last link followed or not.
bool othersMayWriteToFolderAt(const std::string& path, bool followLinks);
// The same of an open folder (an O_PATH descriptor will do).
bool othersMayWriteToOpenFolder(int folderFd);

// Whether someone else may put entries of their own under the names the folder holds: others may write to
// it and it is not sticky. Of the open folder, or of the folder at `path` (no link followed unless
// `followLinks`).
bool othersMayReplaceEntriesIn(int folderFd);
bool othersMayReplaceEntriesInFolderAt(const std::string& path, bool followLinks = false);

// Whether this process, by its effective ids and capabilities, may move or remove the entry `entry` out of
// the open folder `folderFd`: 0, EACCES without write and search rights (EROFS on a read-only file
// system), or EPERM for a sticky folder where it owns neither the folder nor the entry.
int refusalToTakeEntryFrom(int folderFd, const struct stat& entry);

} // namespace zn
