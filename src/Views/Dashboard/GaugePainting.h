#pragma once

#include "Models/Tint.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace zn {

class NumericTextTransition;

// What the two dashboard rings share: a faint track, an arc with round caps and a figure over a caption.
namespace gauge {

inline constexpr double kLineWidth = 10;

struct Look {
    QColor arcColor;
    // Where the arc starts, clockwise from three o'clock, and the share of the ring it covers (clockwise).
    double startDegrees = 0;
    double arcFraction = 0;
    QFont figureFont;
};

// The ring fills the painter's `bounds` (its line stays inside), with `figure` and `caption` in its middle.
void paint(QPainter& painter, const QRectF& bounds, ColorScheme scheme, const Look& look,
           const NumericTextTransition& figure, const QString& caption);

} // namespace gauge
} // namespace zn
