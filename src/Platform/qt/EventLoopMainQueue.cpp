#include "Platform/qt/EventLoopMainQueue.h"

#include "Platform/core/MainQueue.h"

#include <QCoreApplication>

namespace zn {

EventLoopMainQueue::EventLoopMainQueue() {
    QObject* application = QCoreApplication::instance();
    MainQueue::setPoster([application](MainQueue::Task task) {
        QMetaObject::invokeMethod(application, std::move(task), Qt::QueuedConnection);
    });
    QMetaObject::invokeMethod(
        application, [] { MainQueue::drainPending(); }, Qt::QueuedConnection);
}

EventLoopMainQueue::~EventLoopMainQueue() {
    MainQueue::setPoster(nullptr);
}

} // namespace zn
