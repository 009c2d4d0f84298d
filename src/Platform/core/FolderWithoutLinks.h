#pragma once

#include "Platform/core/UniqueFd.h"

#include <string>

namespace zn {

// Opens the folder at an absolute, standardised path (no ".", ".." or empty components) by walking from
// "/" one folder at a time with O_PATH|O_DIRECTORY|O_NOFOLLOW: a symbolic link anywhere on the way makes
// it fail, so the descriptor is the folder the text names, however the tree changes meanwhile. The
// descriptor serves only as the base of *at() calls. Returns 0 and sets `folder`, or an errno value.
int openFolderWithoutLinks(const std::string& path, UniqueFd& folder);

// renameat(2) that never replaces an existing entry (EEXIST instead). Where the file system cannot rename
// that way, a non-folder is linked under the new name and then unlinked from the old one; a folder is then
// refused with EOPNOTSUPP. Returns 0 or an errno value.
int renameWithoutReplacing(int fromFolderFd, const std::string& fromName, int toFolderFd,
                           const std::string& toName);
// The fallback on its own: link under the new name (never over an existing one), then unlink the old.
int linkThenUnlink(int fromFolderFd, const std::string& fromName, int toFolderFd, const std::string& toName);

} // namespace zn
