#include "Views/Kit/Motion/AnimatedValue.h"

#include <QWidget>

namespace zn {

AnimatedValue::AnimatedValue(QWidget* owner, double initial)
    : QObject(owner), owner_(owner), value_(initial), target_(initial) {
    animation_.setStartValue(0.0);
    animation_.setEndValue(1.0);
    animation_.setEasingCurve(QEasingCurve::Linear);
    connect(&animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& fraction) {
        apply(start_ + (target_ - start_) * timing_.progress(fraction.toDouble()));
    });
    connect(&animation_, &QVariantAnimation::finished, this, [this] {
        apply(target_);
        emit settled();
    });
}

bool AnimatedValue::isRunning() const {
    return animation_.state() == QAbstractAnimation::Running;
}

void AnimatedValue::animateTo(double target, const Timing& timing) {
    if (!Motion::enabled() || timing.duration.count() <= 0) {
        setImmediately(target);
        return;
    }
    if (target == target_ && isRunning())
        return;
    animation_.stop();
    start_ = value_;
    target_ = target;
    timing_ = timing;
    animation_.setDuration(static_cast<int>(timing.duration.count()));
    animation_.start();
}

void AnimatedValue::setImmediately(double value) {
    animation_.stop();
    target_ = value;
    apply(value);
    emit settled();
}

void AnimatedValue::apply(double value) {
    value_ = value;
    emit changed();
    if (owner_)
        owner_->update();
}

} // namespace zn
