#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace zn {

// A small chevron pointing up above one pointing down, centred in `frame`: the mark of pop-up buttons and
// steppers.
void paintUpDownChevrons(QPainter& painter, const QRectF& frame, const QColor& color);
// One chevron, pointing up or down, centred in `frame`.
void paintChevron(QPainter& painter, const QRectF& frame, bool up, const QColor& color);

} // namespace zn
