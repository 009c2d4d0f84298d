#include "Views/Kit/Controls/CheckBoxPainter.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>
#include <QPainterPath>

namespace zn {

void paintCheckBox(QPainter& painter, const QRectF& frame, Qt::CheckState state, bool enabled, ColorScheme scheme) {
    QRectF box(0, 0, kCheckBoxSide, kCheckBoxSide);
    box.moveCenter(frame.center());
    const double radius = 3.5;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (!enabled)
        painter.setOpacity(painter.opacity() * 0.5);
    if (state == Qt::Unchecked) {
        paintRoundedShadow(painter, box, radius, {0.5, QPointF(0, 0.5), withOpacity(Qt::black, byScheme(scheme, 0.3, 0.12))});
        fillRoundedRect(painter, box, radius, byScheme(scheme, QColor(255, 255, 255, 28), QColor(Qt::white)));
        strokeRoundedBorder(painter, box, radius, byScheme(scheme, QColor(255, 255, 255, 60), QColor(0, 0, 0, 64)), 0.75);
    } else {
        fillRoundedRect(painter, box, radius, schemeAccent(scheme));
        strokeRoundedBorder(painter, box, radius, withOpacity(Qt::black, 0.08), 0.5);
        QPen pen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QPointF origin = box.topLeft();
        if (state == Qt::Checked) {
            QPainterPath tick;
            tick.moveTo(origin + QPointF(3.6, 7.3));
            tick.lineTo(origin + QPointF(6.0, 9.7));
            tick.lineTo(origin + QPointF(10.6, 4.4));
            painter.drawPath(tick);
        } else {
            painter.drawLine(origin + QPointF(4, 7), origin + QPointF(10, 7));
        }
    }
    painter.restore();
}

} // namespace zn
