#include "Platform/qt/QtClock.h"

#include <QPointer>
#include <QTimer>

namespace zn {

Date QtClock::now() const {
    return std::chrono::system_clock::now();
}

ScheduledCall QtClock::callAfter(std::chrono::milliseconds delay, QObject* context,
                                 std::function<void()> action) {
    // The timer is a child of the context, so it goes away with it and never calls into a dead object.
    auto* timer = new QTimer(context);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action = std::move(action)] {
        timer->deleteLater();
        action();
    });
    timer->start(delay);
    QPointer<QTimer> guard(timer);
    return ScheduledCall([guard] {
        if (guard) {
            guard->stop();
            guard->deleteLater();
        }
    });
}

} // namespace zn
