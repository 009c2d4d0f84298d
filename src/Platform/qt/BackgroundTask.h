#pragma once

#include "Platform/core/FreedMemory.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>

#include <cstddef>
#include <memory>

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

// Values of at least this many items leave enough freed memory behind to be worth handing back.
inline constexpr std::size_t kItemsWorthReturningMemory = 10'000;

// Lets `value` be destroyed on the thread pool: freeing a hundred thousand strings keeps the main thread
// busy for tens of milliseconds. When it held `itemCount` items, at least kItemsWorthReturningMemory, the
// freed pages then go back to the system.
template <typename T> void destroyInBackground(T value, std::size_t itemCount = 0) {
    const bool returnMemory = itemCount >= kItemsWorthReturningMemory;
    QThreadPool::globalInstance()->start([held = std::make_shared<T>(std::move(value)), returnMemory]() mutable {
        held.reset();
        if (returnMemory)
            returnFreedMemoryToSystem();
    });
}

} // namespace zn
