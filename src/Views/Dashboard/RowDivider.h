#pragma once

#include "Models/Tint.h"

#include <QRectF>

class QPainter;

namespace zn {

// Rows of the dashboard's result cards are separated by a hairline that starts where their text does.
inline constexpr double kRowDividerInset = 54;

// The hairline along the bottom of `row`.
void paintRowDivider(QPainter& painter, const QRectF& row, ColorScheme scheme);

} // namespace zn
