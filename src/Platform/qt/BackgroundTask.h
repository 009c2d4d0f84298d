#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>

namespace zn {

// Runs `work` on the global thread pool, then `done` with its result on the main thread, unless `owner` is
// gone by then.
template <typename Owner, typename Work, typename Done> void runInBackground(Owner* owner, Work work, Done done) {
    QPointer<Owner> guard(owner);
    QThreadPool::globalInstance()->start([guard, work = std::move(work), done = std::move(done)]() mutable {
        auto result = work();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard, done = std::move(done), result = std::move(result)]() mutable {
                if (guard)
                    done(std::move(result));
            },
            Qt::QueuedConnection);
    });
}

} // namespace zn
