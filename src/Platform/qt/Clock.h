#pragma once

#include "Models/Date.h"

#include <chrono>
#include <functional>
#include <utility>

class QObject;

namespace zn {

// The handle of one delayed call; copies share it. Cancelling twice, or after the call ran, does nothing.
class ScheduledCall {
public:
    ScheduledCall() = default;
    explicit ScheduledCall(std::function<void()> cancel) : cancel_(std::move(cancel)) {}

    // Main thread only.
    void cancel() {
        if (cancel_)
            std::exchange(cancel_, nullptr)();
    }

private:
    std::function<void()> cancel_;
};

// Every wait of the application's flows goes through this: the main thread never sleeps, it asks to be
// called back later. Tests replace it with a clock that advances virtual time.
class Clock {
public:
    virtual ~Clock() = default;

    virtual Date now() const = 0;
    // Runs `action` once, on the main thread, `delay` from now, unless the call is cancelled first or
    // `context` no longer exists by then.
    virtual ScheduledCall callAfter(std::chrono::milliseconds delay, QObject* context,
                                    std::function<void()> action) = 0;
};

} // namespace zn
