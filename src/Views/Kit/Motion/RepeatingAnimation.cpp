#include "Views/Kit/Motion/RepeatingAnimation.h"

#include "Views/Kit/Motion/Motion.h"

#include <QEvent>
#include <QWidget>

namespace zn {

RepeatingAnimation::RepeatingAnimation(QWidget& owner, int cycleMilliseconds) : QObject(&owner), owner_(owner) {
    cycle_.setStartValue(0.0);
    cycle_.setEndValue(1.0);
    cycle_.setDuration(cycleMilliseconds);
    cycle_.setLoopCount(-1);
    connect(&cycle_, &QVariantAnimation::valueChanged, &owner_, qOverload<>(&QWidget::update));
    owner_.installEventFilter(this);
}

void RepeatingAnimation::setWanted(bool wanted) {
    wanted_ = wanted;
    update();
}

bool RepeatingAnimation::isRunning() const {
    return cycle_.state() == QAbstractAnimation::Running;
}

double RepeatingAnimation::phase() const {
    return isRunning() ? cycle_.currentValue().toDouble() : 0.0;
}

bool RepeatingAnimation::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        update();
    return false;
}

void RepeatingAnimation::update() {
    const bool running = wanted_ && owner_.isVisible() && Motion::enabled();
    if (running && !isRunning())
        cycle_.start();
    else if (!running && isRunning()) {
        cycle_.stop();
        owner_.update();
    }
}

} // namespace zn
