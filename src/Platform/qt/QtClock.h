#pragma once

#include "Platform/qt/Clock.h"

namespace zn {

// Wall-clock time and single-shot QTimers on the main thread.
class QtClock final : public Clock {
public:
    Date now() const override;
    ScheduledCall callAfter(std::chrono::milliseconds delay, QObject* context,
                            std::function<void()> action) override;
};

} // namespace zn
