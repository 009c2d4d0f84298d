#include "Views/Kit/Surfaces/RoundedShape.h"

#include <QPainter>

#include <algorithm>

namespace zn {

void fillRoundedRect(QPainter& painter, const QRectF& shape, double radius, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(shape, radius, radius);
    painter.restore();
}

void strokeRoundedBorder(QPainter& painter, const QRectF& shape, double radius, const QColor& color,
                         double lineWidth) {
    const double half = lineWidth / 2;
    const double inner = std::max(0.0, radius - half);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, lineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(shape.adjusted(half, half, -half, -half), inner, inner);
    painter.restore();
}

double capsuleRadius(const QRectF& shape) {
    return std::min(shape.width(), shape.height()) / 2;
}

} // namespace zn
