#pragma once

namespace zn {

// The part of the scheduler that the application's start-up drives.
class SchedulerControl {
public:
    virtual ~SchedulerControl() = default;

    // Arms the periodic check when the stored schedule is enabled.
    virtual void start() = 0;
};

} // namespace zn
