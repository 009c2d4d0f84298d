#pragma once

#include "Models/Tint.h"

#include <QRectF>

class QPainter;

namespace zn {

// The desktop's check box as the design shows it: a small rounded square, filled with the accent and
// ticked in white when checked, a dash when partly checked.
inline constexpr double kCheckBoxSide = 14;

void paintCheckBox(QPainter& painter, const QRectF& frame, Qt::CheckState state, bool enabled, ColorScheme scheme);

} // namespace zn
