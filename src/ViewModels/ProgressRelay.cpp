#include "ViewModels/ProgressRelay.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace zn {

ProgressRelay::ProgressRelay(Clock& clock, QObject* context, std::function<void(double)> publish)
    : clock_(clock), context_(context), publish_(std::move(publish)) {}

void ProgressRelay::report(double fraction) {
    latest_.store(fraction);
    if (waiting_.exchange(true))
        return;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [relay = shared_from_this()] { relay->deliver(); }, Qt::QueuedConnection);
}

void ProgressRelay::deliver() {
    if (finished_ || !context_ || frameWaitScheduled_)
        return;
    const Date now = clock_.now();
    const auto sinceLast = lastPublished_ ? now - *lastPublished_ : Date::duration::max();
    if (sinceLast < Date::duration::zero() || sinceLast >= kFrame) {
        publishLatest();
        return;
    }
    frameWaitScheduled_ = true;
    frameWait_ = clock_.callAfter(std::chrono::ceil<std::chrono::milliseconds>(kFrame - sinceLast), context_,
                                  [relay = shared_from_this()] {
                                      relay->frameWaitScheduled_ = false;
                                      relay->publishLatest();
                                  });
}

void ProgressRelay::publishLatest() {
    if (finished_ || !context_)
        return;
    // Cleared before the value is read: a report made meanwhile queues a delivery of its own.
    waiting_.store(false);
    lastPublished_ = clock_.now();
    publish_(latest_.load());
}

void ProgressRelay::finish() {
    frameWait_.cancel();
    frameWaitScheduled_ = false;
    if (waiting_.load())
        publishLatest();
    finished_ = true;
}

} // namespace zn
