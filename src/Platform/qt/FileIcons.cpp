#include "Platform/qt/FileIcons.h"

#include "Platform/core/PathText.h"
#include "Platform/core/PropertyList.h"
#include "Platform/core/RegularFile.h"
#include "Platform/qt/BackgroundTask.h"

#include <QBuffer>
#include <QImageReader>
#include <QMimeDatabase>

#include <sys/stat.h>

namespace zn {

namespace {

// Far above any real application icon; a larger file is not an icon worth reading.
constexpr std::size_t kIconFileLimit = 32 * 1024 * 1024;
// What the type sniffing of the icon theme looks at.
constexpr std::size_t kTypeSniffBytes = 4096;

QImage bundleImage(const std::string& bundlePath) {
    auto info = readPropertyListFile(bundlePath + "/Contents/Info.plist");
    const auto name = info ? info->stringForKey("CFBundleIconFile") : std::nullopt;
    if (!name || name->empty() || name->find('/') != std::string::npos)
        return {};
    const std::string resources = bundlePath + "/Contents/Resources/";
    for (const std::string& candidate : {*name, *name + ".icns", *name + ".png"}) {
        auto bytes = readRegularFile(resources + candidate, kIconFileLimit);
        if (!bytes)
            continue;
        QByteArray data = QByteArray::fromStdString(*bytes);
        QBuffer buffer(&data);
        QImageReader reader(&buffer);
        const QImage image = reader.read();
        if (!image.isNull())
            return image;
    }
    return {};
}

QMimeType fileType(const std::string& path, bool isRegular) {
    static const QMimeDatabase types;
    const QString name = QString::fromStdString(path);
    if (!isRegular)
        return types.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    const auto head = readRegularFileHead(path, kTypeSniffBytes);
    return types.mimeTypeForFileNameAndData(name, QByteArray::fromStdString(head.value_or(std::string())));
}

} // namespace

FileIcons& FileIcons::shared() {
    // Never destroyed: icons may be asked for until the program's very end.
    static FileIcons* icons = new FileIcons;
    return *icons;
}

FileIcons::Found FileIcons::find(const std::string& path) {
    Found found;
    struct stat status {};
    const bool exists = ::stat(path.c_str(), &status) == 0;
    const bool isFolder = exists && S_ISDIR(status.st_mode);
    if (isFolder && PathText::pathExtension(path) == "app")
        found.bundleImage = bundleImage(path);
    if (found.bundleImage.isNull()) {
        const QMimeType type = fileType(path, exists && S_ISREG(status.st_mode));
        found.themeIconName = type.iconName();
        found.genericThemeIconName = type.genericIconName();
    }
    return found;
}

const FileIcons::Icons* FileIcons::icons(const std::string& path) {
    if (auto known = known_.find(path); known != known_.end())
        return known->second ? &*known->second : nullptr;
    known_.emplace(path, std::nullopt);
    ++loading_;
    runInBackground(this, [path] { return find(path); },
                    [this, path](Found found) {
                        --loading_;
                        Icons icons;
                        if (!found.bundleImage.isNull()) {
                            icons.application = QIcon(QPixmap::fromImage(found.bundleImage));
                            icons.file = icons.application;
                        } else {
                            icons.file = QIcon::fromTheme(found.themeIconName);
                            if (icons.file.isNull())
                                icons.file = QIcon::fromTheme(found.genericThemeIconName);
                        }
                        known_[path] = icons;
                        emit iconLoaded(QString::fromStdString(path));
                    });
    return nullptr;
}

QIcon FileIcons::applicationIcon(const std::string& bundlePath) {
    const Icons* found = icons(bundlePath);
    return found ? found->application : QIcon();
}

QIcon FileIcons::fileIcon(const std::string& path) {
    const Icons* found = icons(path);
    return found ? found->file : QIcon();
}

} // namespace zn
