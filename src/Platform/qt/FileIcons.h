#pragma once

#include <QIcon>
#include <QObject>

#include <map>
#include <optional>
#include <string>

namespace zn {

// The icons the desktop shows for files, looked up once per path and kept. Everything that reads the file
// or its bundle (the Info.plist, the image, the first bytes that tell a file's type) runs off the main
// thread: until that is done an icon is null, and iconLoaded() follows. Main thread.
class FileIcons : public QObject {
    Q_OBJECT

public:
    static FileIcons& shared();

    // An application bundle's own icon: the image its Info.plist names (CFBundleIconFile) in its Resources
    // folder, as far as the installed image plug-ins read it. Null while it loads and when there is none.
    QIcon applicationIcon(const std::string& bundlePath);
    // A file's icon: a bundle's own, else the icon theme's for the file's type. Null while it loads and when
    // neither exists.
    QIcon fileIcon(const std::string& path);
    // Some icon is still being read.
    bool isLoading() const { return loading_ > 0; }

signals:
    void iconLoaded(const QString& path);

private:
    // What the reading found, made into icons on the main thread (QIcon and QPixmap belong to it).
    struct Found {
        QImage bundleImage;
        QString themeIconName;
        QString genericThemeIconName;
    };
    struct Icons {
        QIcon application;
        QIcon file;
    };
    static Found find(const std::string& path);
    // The icons when they are known; starts reading them when they are not.
    const Icons* icons(const std::string& path);

    std::map<std::string, std::optional<Icons>> known_;
    int loading_ = 0;
};

} // namespace zn
