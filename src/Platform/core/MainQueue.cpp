#include "Platform/core/MainQueue.h"

#include <deque>
#include <mutex>

namespace zn::MainQueue {

namespace {

struct State {
    std::mutex mutex;
    std::function<void(Task)> poster;
    std::deque<Task> pending;
};

State& state() {
    static State instance;
    return instance;
}

} // namespace

void post(Task task) {
    State& s = state();
    std::unique_lock lock(s.mutex);
    if (s.poster) {
        auto poster = s.poster;
        lock.unlock();
        poster(std::move(task));
        return;
    }
    s.pending.push_back(std::move(task));
    while (s.pending.size() > static_cast<std::size_t>(kMaxPendingTasks))
        s.pending.pop_front();
}

void setPoster(std::function<void(Task)> poster) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.poster = std::move(poster);
}

int drainPending() {
    State& s = state();
    std::deque<Task> tasks;
    {
        std::lock_guard lock(s.mutex);
        tasks.swap(s.pending);
    }
    for (auto& task : tasks)
        task();
    return static_cast<int>(tasks.size());
}

} // namespace zn::MainQueue
