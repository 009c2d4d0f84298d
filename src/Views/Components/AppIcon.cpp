#include "Views/Components/AppIcon.h"

#include "Models/Tint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zn {

namespace {

QColor toColor(RgbColor color) {
    return QColor::fromRgbF(static_cast<float>(color.red), static_cast<float>(color.green),
                            static_cast<float>(color.blue));
}

// A brush drawn in a square of `side`: a slanted handle and a fan of bristles below it.
void paintBrush(QPainter& painter, qreal side, const QColor& color) {
    painter.save();
    painter.translate(side / 2, side / 2);
    painter.rotate(-35);
    painter.scale(side / 100, side / 100);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(-6, -44, 12, 44), 6, 6);
    QPainterPath bristles;
    bristles.moveTo(-16, 2);
    bristles.lineTo(16, 2);
    bristles.lineTo(22, 40);
    bristles.quadTo(0, 46, -22, 40);
    bristles.closeSubpath();
    painter.drawPath(bristles);
    painter.restore();
}

QPixmap iconPixmap(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tile(0, 0, side, side);
    tile.setColorAt(0, toColor(Tint::blue));
    tile.setColorAt(1, toColor(Tint::green));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(0, 0, side, side), side * 0.22, side * 0.22);
    paintBrush(painter, side, Qt::white);
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
        painter.setRenderHint(QPainter::Antialiasing);
        paintBrush(painter, side, color);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace zn
