#include "Views/Kit/Theme/AppIcon.h"

#include "Models/Tint.h"
#include "Views/Kit/Theme/CleaningBrushIcon.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace zn {

namespace {

QPixmap iconPixmap(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tile(0, 0, side, side);
    tile.setColorAt(0, qColor(Tint::blue));
    tile.setColorAt(1, qColor(Tint::green));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(0, 0, side, side), side * 0.22, side * 0.22);
    painter.drawImage(QRectF(0, 0, side, side), cleaningBrushIcon(side));
    return pixmap;
}

} // namespace

QIcon applicationIcon() {
    QIcon icon;
    for (int side : {16, 32, 64, 128, 256})
        icon.addPixmap(iconPixmap(side));
    return icon;
}

QIcon menuBarIcon(const QColor& color) {
    QIcon icon;
    for (int side : {18, 36}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        NexalIcon::paint(painter, QRectF(0, 0, side, side), color);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace zn
