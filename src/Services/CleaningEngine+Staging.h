#pragma once

#include "Platform/core/AdminRunner.h"

#include <optional>
#include <string>

namespace zn {

// The AppleScript form of the administrator pass: a private file of NUL-separated paths that one shell
// command hands to rm.

// The staging folder ends up inside a single-quoted shell word inside an AppleScript string literal: an
// absolute path without quotes, backslashes or control characters.
bool isUsableTemporaryDirectory(const std::string& path);
// `requested` when usable, else $TMPDIR when usable, else "/tmp".
std::string chooseTemporaryDirectory(const std::optional<std::string>& requested);
// Writes `contents` to a new file "zelvanexal-rm-<UUID>" in `folder`, created fresh (never through a link,
// never over an existing file) and readable by its owner only; its path, or nothing with the reason.
std::optional<std::string> writeAdminStagingFile(const std::string& folder, const std::string& contents,
                                                 std::string& errorDescription);
// do shell script "/usr/bin/xargs -0 /bin/rm -rf -- < '<stagingPath>'" with administrator privileges
AdminCommand adminRemovalCommand(const std::string& stagingPath);

} // namespace zn
