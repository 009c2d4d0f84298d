#include "Views/CategoryDetail/FileIcon.h"

#include <QFileInfo>
#include <QString>

namespace zn {

namespace {

// The text after the last dot of the name, when that dot neither starts nor ends it.
QString nameExtension(const std::string& name) {
    const QString text = QString::fromStdString(name);
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == text.size() - 1)
        return {};
    return text.mid(dot + 1).toLower();
}

} // namespace

std::string_view fileIconSymbol(const std::string& name, const std::string& path) {
    const QString extension = nameExtension(name);
    if (extension == u"log" || extension == u"txt")
        return "doc.text";
    if (extension == u"zip" || extension == u"gz" || extension == u"tar")
        return "doc.zipper";
    if (extension == u"dmg" || extension == u"iso")
        return "opticaldisc";
    if (extension == u"app")
        return "app";
    if (extension == u"pkg")
        return "shippingbox";
    // A link to a folder counts as the folder, as the platform's existence test follows links.
    return QFileInfo(QString::fromStdString(path)).isDir() ? "folder" : "doc";
}

} // namespace zn
