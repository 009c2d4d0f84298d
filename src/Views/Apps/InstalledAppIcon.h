#pragma once

#include <QIcon>

#include <string>

namespace zn {

// An application's icon as the uninstaller shows it: the bundle's own, else one generic application tile.
QIcon installedAppIcon(const std::string& bundlePath);

} // namespace zn
