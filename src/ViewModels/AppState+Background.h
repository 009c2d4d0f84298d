#pragma once

// Internal to AppState's own files: how its flows hand blocking work to the thread pool.

#include "ViewModels/AppState.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

namespace zn {

// Runs `work` on the global thread pool and then `done` with its result on the main thread, unless the
// state is gone by then. Results are queued behind anything the work posted before it returned.
template <typename Work, typename Done> void AppState::runInBackground(Work work, Done done) {
    QPointer<AppState> self(this);
    QThreadPool::globalInstance()->start([self, work = std::move(work), done = std::move(done)]() mutable {
        auto result = work();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, done = std::move(done), result = std::move(result)]() mutable {
                if (self)
                    done(std::move(result));
            },
            Qt::QueuedConnection);
    });
}

} // namespace zn
