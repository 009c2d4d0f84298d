#pragma once

#include <optional>
#include <string>

namespace zn {

// Where the entry at `path`, named like an application, is read and measured, when it is an application
// at all. A folder is one as it stands. A symbolic link is one only when it leads to a bundle, a folder
// whose name ends in ".app" holding "Contents/Info.plist"; its bundle is where it leads. Anything else (a
// file, a link to "/" or to any other folder) is none.
std::optional<std::string> applicationBundleAt(const std::string& path);

} // namespace zn
