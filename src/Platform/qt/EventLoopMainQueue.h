#pragma once

namespace zn {

// While it exists, work posted to the main queue runs on the Qt event loop of the application object,
// beginning with what was posted before. Create it after the QApplication and before the event loop.
class EventLoopMainQueue {
public:
    EventLoopMainQueue();
    ~EventLoopMainQueue();
    EventLoopMainQueue(const EventLoopMainQueue&) = delete;
    EventLoopMainQueue& operator=(const EventLoopMainQueue&) = delete;
};

} // namespace zn
