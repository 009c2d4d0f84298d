#pragma once

#include "Models/Tint.h"

#include <QRectF>

class QPainter;

namespace zn {

// A flat panel (a selection bar, a list's ground): a rounded rectangle of the control background with a
// faint edge of the label colour drawn inside it.
void paintPanel(QPainter& painter, const QRectF& shape, ColorScheme scheme, double cornerRadius);

} // namespace zn
