#pragma once

#include <QIcon>

#include <string>

namespace zn {

// An application's icon as the uninstaller shows it: the bundle's own once it has been read (off the main
// thread; FileIcons::iconLoaded() tells when), else one generic application tile.
QIcon installedAppIcon(const std::string& bundlePath);
QIcon genericApplicationIcon();

} // namespace zn
