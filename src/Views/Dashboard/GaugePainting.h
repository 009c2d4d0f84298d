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

// The circle the ring's line follows, so that the line stays within `bounds`.
QRectF ringRect(const QRectF& bounds);
void paintTrack(QPainter& painter, const QRectF& ring, ColorScheme scheme);
// An arc of `fraction` of the ring, clockwise, starting `startDegrees` clockwise from three o'clock.
void paintArc(QPainter& painter, const QRectF& ring, const QColor& color, double startDegrees, double fraction);
// The figure in `figureFont` with `caption` under it, centred in `bounds`.
void paintCentre(QPainter& painter, const QRectF& bounds, ColorScheme scheme, const QFont& figureFont,
                 const NumericTextTransition& figure, const QString& caption);

} // namespace gauge
} // namespace zn
