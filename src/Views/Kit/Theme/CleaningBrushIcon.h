#pragma once

#include <QImage>
#include <QPainterPath>

namespace zn {

// The product mark, a slanted brush, as a shape filling a square of `side` units from the origin.
QPainterPath cleaningBrushPath(double side);
// The mark white on transparent, `side` pixels square. Callers tint it.
QImage cleaningBrushIcon(int side);

} // namespace zn
