#include "Views/Kit/Controls/ChevronPainter.h"

#include <QPainter>
#include <QPainterPath>

namespace zn {

namespace {
constexpr double kHalfWidth = 3;
constexpr double kHeight = 2.5;
} // namespace

void paintChevron(QPainter& painter, const QRectF& frame, bool up, const QColor& color) {
    const QPointF centre = frame.center();
    const double tip = up ? -kHeight / 2 : kHeight / 2;
    QPainterPath path;
    path.moveTo(centre.x() - kHalfWidth, centre.y() - tip);
    path.lineTo(centre.x(), centre.y() + tip);
    path.lineTo(centre.x() + kHalfWidth, centre.y() - tip);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.restore();
}

void paintUpDownChevrons(QPainter& painter, const QRectF& frame, const QColor& color) {
    const QPointF centre = frame.center();
    paintChevron(painter, QRectF(centre.x() - 4, centre.y() - 5.5, 8, 5), true, color);
    paintChevron(painter, QRectF(centre.x() - 4, centre.y() + 0.5, 8, 5), false, color);
}

} // namespace zn
