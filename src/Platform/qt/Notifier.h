#pragma once

#include <QDBusConnection>

#include <optional>
#include <string>

namespace zn {

// A desktop notification, shown at once with the notification server's default sound.
struct Notification {
    std::string title;
    std::string body;

    bool operator==(const Notification&) const = default;
};

// Posts notifications to the desktop. Main thread only.
class Notifier {
public:
    virtual ~Notifier() = default;

    // Hands the notification to the desktop without waiting for it to be shown; the reason when it could
    // not even be handed over. Whether the desktop shows it is up to the desktop.
    virtual std::optional<std::string> post(const Notification& notification) = 0;
};

// The freedesktop.org notification service (org.freedesktop.Notifications.Notify) on a D-Bus bus.
class DBusNotifier final : public Notifier {
public:
    static constexpr const char* kApplicationName = "Zelva Nexal";

    // The user's session bus by default.
    explicit DBusNotifier(QDBusConnection connection = QDBusConnection::sessionBus());

    std::optional<std::string> post(const Notification& notification) override;

private:
    QDBusConnection connection_;
};

} // namespace zn
