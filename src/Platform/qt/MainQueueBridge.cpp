#include "Platform/qt/MainQueueBridge.h"

#include "Platform/core/MainQueue.h"

#include <QCoreApplication>

#include <mutex>

namespace zn {

void routeMainQueueToEventLoop() {
    static std::once_flag routed;
    std::call_once(routed, [] {
        MainQueue::setPoster([](MainQueue::Task task) {
            // Once the application object is gone there is no main loop left to run the task.
            if (auto* application = QCoreApplication::instance())
                QMetaObject::invokeMethod(application, std::move(task), Qt::QueuedConnection);
        });
        if (auto* application = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                application, [] { MainQueue::drainPending(); }, Qt::QueuedConnection);
    });
}

} // namespace zn
