#include "Views/Kit/Theme/CleaningBrushIcon.h"

#include <QPainter>
#include <QTransform>

namespace zn {

QPainterPath cleaningBrushPath(double side) {
    // Handle, ferrule and a fan of bristles with a few gaps, so the mark reads as a brush even when small.
    QPainterPath brush;
    brush.addRoundedRect(QRectF(-5.5, -46, 11, 36), 5.5, 5.5);
    brush.addRoundedRect(QRectF(-13, -8, 26, 9), 2.5, 2.5);
    QPainterPath bristles;
    bristles.moveTo(-15, 4);
    bristles.lineTo(15, 4);
    bristles.lineTo(22, 38);
    bristles.quadTo(0, 46, -22, 38);
    bristles.closeSubpath();
    QPainterPath gaps;
    for (const double x : {-7.5, 0.0, 7.5}) {
        QPainterPath gap;
        gap.moveTo(x * 1.05 - 0.9, 24);
        gap.lineTo(x * 1.3 - 1.1, 46);
        gap.lineTo(x * 1.3 + 1.1, 46);
        gap.lineTo(x * 1.05 + 0.9, 24);
        gap.closeSubpath();
        gaps.addPath(gap);
    }
    brush.addPath(bristles.subtracted(gaps));
    QTransform placement;
    placement.translate(side / 2.0, side / 2.0);
    placement.rotate(-35);
    placement.scale(side / 100.0, side / 100.0);
    return placement.map(brush);
}

QImage cleaningBrushIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(cleaningBrushPath(side), Qt::white);
    return image;
}

} // namespace zn
