#pragma once

#include <QColor>
#include <QMargins>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace zn {

// A soft shadow as the platform draws one: the shape, blurred by `radius`, moved by `offset`.
struct ShadowSpec {
    double radius = 0;
    QPointF offset;
    QColor color;

    bool isVisible() const { return radius > 0 && color.alpha() > 0; }
};

// Draws the shadow of a rounded rectangle. The blurred corner pieces are made once per corner radius, blur
// and colour and then stretched, so a large card costs no more than a small one.
void paintRoundedShadow(QPainter& painter, const QRectF& shape, double cornerRadius, const ShadowSpec& shadow);
// How far the shadow reaches beyond the shape on each side.
QMargins shadowReach(const ShadowSpec& shadow);

} // namespace zn
