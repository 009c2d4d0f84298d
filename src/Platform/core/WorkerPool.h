#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zn {

// A fixed set of worker threads, started once and reused for every job. Work is handed out as index
// ranges, so a listing of ten thousand entries costs ten thousand counter steps, not ten thousand tasks.
class WorkerPool {
public:
    // One worker per core this process may run on, shared by everything in the process.
    static std::shared_ptr<WorkerPool> shared();

    // With no workers every call runs on the calling thread alone, one index after another.
    explicit WorkerPool(unsigned workers);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    unsigned workers() const { return static_cast<unsigned>(threads_.size()); }

    // Calls body(i) once for every i below `count`, on the workers and on the calling thread, and returns
    // when every call has returned. The caller takes indices too and waits only for calls already running,
    // so a body may itself call forEachIndex without ever waiting for a worker that is waiting for it.
    // An exception from a body is thrown here, once every other call has returned.
    void forEachIndex(std::size_t count, const std::function<void(std::size_t)>& body);

    // body(i) for every i below `count`, collected in index order whatever order they ran in.
    template <class Result, class Body> std::vector<Result> inIndexOrder(std::size_t count, Body&& body) {
        std::vector<Result> results(count);
        forEachIndex(count, [&](std::size_t index) { results[index] = body(index); });
        return results;
    }

private:
    void work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace zn
