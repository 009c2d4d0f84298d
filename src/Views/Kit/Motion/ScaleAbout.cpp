#include "Views/Kit/Motion/ScaleAbout.h"

#include <QPainter>

namespace zn {

void scaleAbout(QPainter& painter, QPointF centre, double factor) {
    painter.translate(centre);
    painter.scale(factor, factor);
    painter.translate(-centre);
}

} // namespace zn
