#include "Platform/qt/FileViewer.h"

#include "Logic/Utilities/Logger.h"
#include "Platform/core/PathText.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace zn {

namespace {

constexpr int kFileManagerTimeoutMs = 5000;

QUrl fileUrl(const std::string& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path));
}

void openEnclosingFolder(UrlOpener& opener, const std::string& path) {
    std::string folder = PathText::deletingLastPathComponent(path);
    if (!opener.open(fileUrl(folder)))
        Logger::shared().log("Could not open " + folder, LogLevel::warning, "reveal(_:)");
}

} // namespace

DesktopFileViewer::DesktopFileViewer(std::shared_ptr<UrlOpener> opener, QString service)
    : opener_(std::move(opener)), service_(std::move(service)) {}

void DesktopFileViewer::reveal(const std::string& path) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openEnclosingFolder(*opener_, path);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        service_, QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{fileUrl(path).toString()} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kFileManagerTimeoutMs));
    // The viewer may be gone when the answer comes, so the fallback keeps its own opener.
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                     [opener = opener_, path](QDBusPendingCallWatcher* finished) {
                         if (finished->isError())
                             openEnclosingFolder(*opener, path);
                         finished->deleteLater();
                     });
}

} // namespace zn
