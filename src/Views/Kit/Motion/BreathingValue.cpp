#include "Views/Kit/Motion/BreathingValue.h"

#include "Views/Kit/Motion/Motion.h"

namespace zn {

BreathingValue::BreathingValue(QObject* parent) : QObject(parent) {
    // One run is there and back again; the phase 0..2 folds into 0..1..0.
    animation_.setStartValue(0.0);
    animation_.setEndValue(2.0);
    animation_.setDuration(2 * kHalfPeriodMs);
    animation_.setLoopCount(-1);
    animation_.setEasingCurve(QEasingCurve::Linear);
    connect(&animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& phase) {
        const double folded = phase.toDouble() <= 1 ? phase.toDouble() : 2 - phase.toDouble();
        apply(Timing::easeInOut(std::chrono::milliseconds(kHalfPeriodMs)).progress(folded));
    });
}

void BreathingValue::start() {
    animation_.stop();
    if (!Motion::enabled()) {
        apply(1);
        return;
    }
    apply(0);
    animation_.start();
}

void BreathingValue::stop() {
    animation_.stop();
}

void BreathingValue::apply(double value) {
    value_ = value;
    emit changed();
}

} // namespace zn
