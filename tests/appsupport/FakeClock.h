#pragma once

#include "Platform/qt/Clock.h"

#include <QPointer>

#include <chrono>
#include <memory>
#include <vector>

namespace zn::test {

// Virtual time: delayed calls run only when a test advances the clock, in due order, each at its own time.
class FakeClock final : public Clock {
public:
    Date now() const override { return now_; }
    ScheduledCall callAfter(std::chrono::milliseconds delay, QObject* context,
                            std::function<void()> action) override;

    // Moves time forward by `duration`, running every call that falls due on the way (also calls scheduled
    // by those calls) and the main thread's queued work after each one.
    void advance(std::chrono::milliseconds duration);
    std::size_t pendingCalls() const;

private:
    struct Entry {
        Date due;
        std::uint64_t order;
        QPointer<QObject> context;
        std::function<void()> action;
        std::shared_ptr<bool> cancelled;
    };

    Date now_ = dateFromTimeIntervalSinceReferenceDate(750'000'000); // a fixed day in 2024
    std::uint64_t nextOrder_ = 0;
    std::vector<Entry> entries_;
};

} // namespace zn::test
