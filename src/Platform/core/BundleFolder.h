#pragma once

#include <string_view>

namespace zn {

// Whether an entry of this name may be an application bundle: it ends in ".app", as the inventory reads it.
bool hasApplicationBundleName(std::string_view name);

// Whether the open folder (an O_PATH descriptor will do) is an application bundle's own: it holds
// "Contents/Info.plist" as a regular file, reached without following a link.
bool holdsBundleInfo(int folderFd);

} // namespace zn
