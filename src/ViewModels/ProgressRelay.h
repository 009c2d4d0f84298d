#pragma once

#include "Models/Date.h"
#include "Platform/qt/Clock.h"

#include <QPointer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace zn {

// Carries a worker's progress reports to the main thread no more often than the screen shows frames: a
// report replaces the one still waiting, so a clean of a hundred thousand items updates the screens some
// sixty times a second instead of once per item. Made with std::make_shared.
class ProgressRelay : public std::enable_shared_from_this<ProgressRelay> {
public:
    static constexpr std::chrono::milliseconds kFrame{16};

    // `publish` runs on the main thread, and only while `context` exists.
    ProgressRelay(Clock& clock, QObject* context, std::function<void(double fraction)> publish);

    // Any thread.
    void report(double fraction);
    // Main thread, once the worker is done: publishes the report still waiting, and no later one.
    void finish();

private:
    void deliver();
    void publishLatest();

    Clock& clock_;
    QPointer<QObject> context_;
    std::function<void(double)> publish_;
    std::atomic<double> latest_{0};
    // A report waits to be published (a delivery is queued, or a frame's wait is scheduled).
    std::atomic<bool> waiting_{false};
    // Main thread only.
    std::optional<Date> lastPublished_;
    ScheduledCall frameWait_;
    bool frameWaitScheduled_ = false;
    bool finished_ = false;
};

} // namespace zn
