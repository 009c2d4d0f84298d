#pragma once

#include <QPointF>

class QPainter;

namespace zn {

// Scales what the painter draws next by `factor` about `centre`, which stays where it is.
void scaleAbout(QPainter& painter, QPointF centre, double factor);

} // namespace zn
