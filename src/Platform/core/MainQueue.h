#pragma once

#include <functional>

namespace zn::MainQueue {

using Task = std::function<void()>;

// Runs `task` later on the main thread, without waiting. The windowed application installs a poster that
// hands tasks to its event loop; until then tasks wait in a bounded queue that only drainPending() runs
// (the command line never drains it, so the oldest tasks are dropped rather than growing without bound).
void post(Task task);

void setPoster(std::function<void(Task)> poster);
// Runs the tasks that are waiting, on the calling thread; returns how many ran.
int drainPending();

inline constexpr int kMaxPendingTasks = 4096;

} // namespace zn::MainQueue
