#include "Platform/qt/DesktopColorScheme.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

namespace zn {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString kNamespace = QStringLiteral("org.freedesktop.appearance");
const QString kKey = QStringLiteral("color-scheme");
// A portal that does not answer within this time leaves the start to the fallback.
constexpr int kReadTimeoutMs = 1000;

// Read wraps the value in one variant, older portals in two.
std::optional<unsigned> unwrapNumber(QVariant value) {
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    if (value.userType() == qMetaTypeId<QDBusArgument>()) {
        QDBusVariant inner;
        value.value<QDBusArgument>() >> inner;
        value = inner.variant();
    }
    bool ok = false;
    const unsigned number = value.toUInt(&ok);
    return ok ? std::optional<unsigned>(number) : std::nullopt;
}

} // namespace

PortalColorScheme::PortalColorScheme(QDBusConnection connection, QColor desktopWindowColor, QObject* parent)
    : DesktopColorScheme(parent), connection_(std::move(connection)), desktopWindowColor_(desktopWindowColor) {
    if (!connection_.isConnected())
        return;
    // The whole message is taken, so no argument type has to be known to the bus library beforehand.
    connection_.connect(kService, kPath, kInterface, QStringLiteral("SettingChanged"), this,
                        SLOT(onSettingChanged(QDBusMessage)));
    // Only a portal already running is asked: starting one would hold up the first window.
    QDBusConnectionInterface* bus = connection_.interface();
    if (!bus || !bus->isServiceRegistered(kService))
        return;
    QDBusMessage read = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Read"));
    read << kNamespace << kKey;
    const QDBusMessage reply = connection_.call(read, QDBus::Block, kReadTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        store(unwrapNumber(reply.arguments().constFirst()));
}

ColorScheme PortalColorScheme::current() const {
    if (portalScheme_)
        return *portalScheme_;
    return desktopWindowColor_.lightness() < 128 ? ColorScheme::dark : ColorScheme::light;
}

void PortalColorScheme::onSettingChanged(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (arguments.size() != 3 || arguments[0].toString() != kNamespace || arguments[1].toString() != kKey)
        return;
    const ColorScheme before = current();
    store(unwrapNumber(arguments[2]));
    if (current() != before)
        emit changed();
}

void PortalColorScheme::store(std::optional<unsigned> portalValue) {
    if (portalValue == 1u)
        portalScheme_ = ColorScheme::dark;
    else if (portalValue == 2u)
        portalScheme_ = ColorScheme::light;
    else
        portalScheme_.reset();
}

} // namespace zn
