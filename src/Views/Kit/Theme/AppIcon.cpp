#include "Views/Kit/Theme/AppIcon.h"

#include "Models/Tint.h"
#include "Views/Kit/Theme/CleaningBrushIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
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
    // Dark on a light outline, or light on a dark one: whichever the panel's colour, one of the two stands out.
    const QColor outline = color.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black);
    QIcon icon;
    for (int side : {18, 36}) {
        const double width = side / 12.0;
        const QPainterPath mark = cleaningBrushPath(side - 2 * width).translated(width, width);
        QPainterPathStroker stroker;
        stroker.setWidth(2 * width);
        stroker.setJoinStyle(Qt::RoundJoin);
        stroker.setCapStyle(Qt::RoundCap);
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(stroker.createStroke(mark).united(mark), outline);
        painter.fillPath(mark, color);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace zn
