#include "Views/Components/RepeatingMotion.h"

#include "Views/Components/Motion.h"

#include <QEasingCurve>
#include <QWidget>

namespace zn {

RepeatingMotion::RepeatingMotion(QWidget* owner, std::chrono::milliseconds halfPeriod) : QObject(owner), owner_(owner) {
    animation_.setStartValue(0.0);
    animation_.setEndValue(1.0);
    animation_.setDuration(static_cast<int>(2 * halfPeriod.count()));
    animation_.setLoopCount(-1);
    connect(&animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& fraction) {
        // Out and back in one loop, each half eased in and out.
        const double t = fraction.toDouble();
        const double way = t < 0.5 ? 2 * t : 2 - 2 * t;
        value_ = QEasingCurve(QEasingCurve::InOutQuad).valueForProgress(way);
        if (owner_)
            owner_->update();
    });
}

bool RepeatingMotion::isRunning() const {
    return animation_.state() == QAbstractAnimation::Running;
}

void RepeatingMotion::start() {
    if (!Motion::enabled()) {
        value_ = 1;
        if (owner_)
            owner_->update();
        return;
    }
    if (!isRunning())
        animation_.start();
}

void RepeatingMotion::stop() {
    animation_.stop();
}

} // namespace zn
