#include "Views/Apps/InstalledAppIcon.h"

#include "Platform/qt/FileIcons.h"
#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>
#include <QPixmap>

namespace zn {

// Drawn once, large enough for the 48-point header on a double-density screen.
QIcon genericApplicationIcon() {
    static const QIcon icon = [] {
        QPixmap pixmap(96, 96);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        IconTile::paint(painter, QRectF(6, 6, 84, 84), ColorScheme::light, "app.badge", qColor(Tint::slate), 20);
        return QIcon(pixmap);
    }();
    return icon;
}

QIcon installedAppIcon(const std::string& bundlePath) {
    QIcon icon = FileIcons::shared().applicationIcon(bundlePath);
    return icon.isNull() ? genericApplicationIcon() : icon;
}

} // namespace zn
