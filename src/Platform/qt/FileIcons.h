#pragma once

#include <QIcon>

#include <string>

namespace zn {

// The icons the desktop shows for files, looked up once per path and kept.
class FileIcons {
public:
    // An application bundle's own icon: the image its Info.plist names (CFBundleIconFile) in its Resources
    // folder, as far as the installed image plug-ins read it. Null when there is none.
    static QIcon applicationIcon(const std::string& bundlePath);
    // A file's icon: a bundle's own, else the icon theme's for the file's type. Null when neither exists.
    static QIcon fileIcon(const std::string& path);
};

} // namespace zn
