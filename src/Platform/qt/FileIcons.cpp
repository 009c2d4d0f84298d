#include "Platform/qt/FileIcons.h"

#include "Platform/core/PathText.h"
#include "Platform/core/PropertyList.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>

#include <map>

namespace zn {

namespace {

QIcon loadApplicationIcon(const std::string& bundlePath) {
    auto info = readPropertyListFile(bundlePath + "/Contents/Info.plist");
    const auto name = info ? info->stringForKey("CFBundleIconFile") : std::nullopt;
    if (!name || name->empty() || name->find('/') != std::string::npos)
        return {};
    const std::string resources = bundlePath + "/Contents/Resources/";
    for (const std::string& candidate : {*name, *name + ".icns", *name + ".png"}) {
        QImageReader reader(QString::fromStdString(resources + candidate));
        const QImage image = reader.read();
        if (!image.isNull())
            return QIcon(QPixmap::fromImage(image));
    }
    return {};
}

bool isBundle(const std::string& path) {
    return PathText::pathExtension(path) == "app" && QFileInfo(QString::fromStdString(path)).isDir();
}

QIcon themeIcon(const std::string& path) {
    static QMimeDatabase types;
    const QMimeType type = types.mimeTypeForFile(QString::fromStdString(path));
    QIcon icon = QIcon::fromTheme(type.iconName());
    return icon.isNull() ? QIcon::fromTheme(type.genericIconName()) : icon;
}

template <typename Load> QIcon cached(std::map<std::string, QIcon>& cache, const std::string& path, Load load) {
    if (auto found = cache.find(path); found != cache.end())
        return found->second;
    return cache[path] = load(path);
}

} // namespace

QIcon FileIcons::applicationIcon(const std::string& bundlePath) {
    static std::map<std::string, QIcon> cache;
    return cached(cache, bundlePath, loadApplicationIcon);
}

QIcon FileIcons::fileIcon(const std::string& path) {
    static std::map<std::string, QIcon> cache;
    return cached(cache, path, [](const std::string& item) {
        return isBundle(item) ? applicationIcon(item) : themeIcon(item);
    });
}

} // namespace zn
