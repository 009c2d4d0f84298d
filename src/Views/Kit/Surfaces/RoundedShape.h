#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace zn {

// Rounded rectangles as the kit draws them: antialiased fills, and borders drawn inside the shape's edge
// (the shape inset by half the line width, then stroked), so a border never grows the shape.
void fillRoundedRect(QPainter& painter, const QRectF& shape, double radius, const QColor& color);
void strokeRoundedBorder(QPainter& painter, const QRectF& shape, double radius, const QColor& color,
                         double lineWidth);
// A capsule is a rounded rectangle whose radius is half its height.
double capsuleRadius(const QRectF& shape);

} // namespace zn
