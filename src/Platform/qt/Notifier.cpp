#include "Platform/qt/Notifier.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace zn {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The server decides how long the notification stays.
constexpr int kServerDefaultTimeout = -1;

std::string reasonOr(const QDBusError& error, const char* fallback) {
    return error.message().isEmpty() ? std::string(fallback) : error.message().toStdString();
}

} // namespace

DBusNotifier::DBusNotifier(QDBusConnection connection) : connection_(std::move(connection)) {}

std::optional<std::string> DBusNotifier::post(const Notification& notification) {
    if (!connection_.isConnected())
        return reasonOr(connection_.lastError(), "no D-Bus session bus");
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QString::fromUtf8(kApplicationName) // app_name
         << 0u                                  // replaces_id: a new notification
         << QString()                           // app_icon
         << QString::fromStdString(notification.title) << QString::fromStdString(notification.body)
         << QStringList() // actions
         << QVariantMap() // hints: the server's defaults, its default sound included
         << kServerDefaultTimeout;
    // Sent without waiting for the answer: a slow or missing notification server never holds up the caller.
    if (!connection_.send(call))
        return reasonOr(connection_.lastError(), "the notification could not be sent");
    return std::nullopt;
}

} // namespace zn
