#include "Views/Kit/Motion/Motion.h"

#include <QEasingCurve>
#include <QPointF>

#include <atomic>

namespace zn {

namespace {

std::atomic<bool> motionEnabled{true};

// The platform's standard curves as cubic Béziers.
QEasingCurve bezier(QPointF first, QPointF second) {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(first, second, QPointF(1, 1));
    return curve;
}

} // namespace

double Timing::progress(double fraction) const {
    switch (kind) {
    case Kind::easeOut: {
        static const QEasingCurve curve = bezier({0, 0}, {0.58, 1});
        return curve.valueForProgress(fraction);
    }
    case Kind::easeInOut: {
        static const QEasingCurve curve = bezier({0.42, 0}, {0.58, 1});
        return curve.valueForProgress(fraction);
    }
    case Kind::spring:
        return fraction >= 1 ? 1 : springValue(spring, fraction * static_cast<double>(duration.count()) / 1000);
    }
    return 1;
}

bool Motion::enabled() {
    return motionEnabled.load();
}

void Motion::setEnabled(bool enabled) {
    motionEnabled.store(enabled);
}

} // namespace zn
