#pragma once

#include "Models/Tint.h"

#include <QColor>
#include <QDBusConnection>
#include <QObject>

#include <optional>

class QDBusMessage;

namespace zn {

// Whether the desktop is dark or light, for windows that follow the system.
class DesktopColorScheme : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    virtual ColorScheme current() const = 0;

signals:
    void changed();
};

// The freedesktop settings portal's "color-scheme" (1 dark, 2 light), followed while the program runs. With no
// portal, or no preference, the lightness of the desktop's window colour decides.
class PortalColorScheme final : public DesktopColorScheme {
    Q_OBJECT

public:
    // `desktopWindowColor`: the desktop's own window colour, taken before the program sets its palette.
    PortalColorScheme(QDBusConnection connection, QColor desktopWindowColor, QObject* parent = nullptr);

    ColorScheme current() const override;

private slots:
    void onSettingChanged(const QDBusMessage& message);

private:
    void store(std::optional<unsigned> portalValue);

    QDBusConnection connection_;
    QColor desktopWindowColor_;
    std::optional<ColorScheme> portalScheme_;
};

} // namespace zn
