#include "Platform/core/WorkerPool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <sched.h>

namespace zn {

namespace {

unsigned usableCores() {
    cpu_set_t cores;
    if (::sched_getaffinity(0, sizeof cores, &cores) == 0 && CPU_COUNT(&cores) > 0)
        return static_cast<unsigned>(CPU_COUNT(&cores));
    return std::max(1u, std::thread::hardware_concurrency());
}

// One forEachIndex call, shared with the workers that help with it. It outlives the call: a worker may
// take up its share only after the caller has finished every index and returned.
struct IndexRun {
    std::size_t count = 0;
    const std::function<void(std::size_t)>* body = nullptr;
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    std::size_t done = 0; // under `mutex`
    std::exception_ptr failure;

    // Takes indices until none are left.
    void takePart() {
        for (std::size_t index = next.fetch_add(1); index < count; index = next.fetch_add(1)) {
            std::exception_ptr thrown;
            try {
                (*body)(index);
            } catch (...) {
                thrown = std::current_exception();
            }
            std::lock_guard lock(mutex);
            if (thrown && !failure)
                failure = thrown;
            if (++done == count)
                finished.notify_all();
        }
    }
};

} // namespace

std::shared_ptr<WorkerPool> WorkerPool::shared() {
    static const std::shared_ptr<WorkerPool> pool = std::make_shared<WorkerPool>(usableCores());
    return pool;
}

WorkerPool::WorkerPool(unsigned workers) {
    threads_.reserve(workers);
    for (unsigned i = 0; i < workers; ++i)
        threads_.emplace_back([this] { work(); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void WorkerPool::work() {
    while (true) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

void WorkerPool::forEachIndex(std::size_t count, const std::function<void(std::size_t)>& body) {
    if (count == 0)
        return;
    auto run = std::make_shared<IndexRun>();
    run->count = count;
    run->body = &body;

    // The caller takes one share itself; more helpers than indices would only find nothing to do.
    const std::size_t helpers = std::min<std::size_t>(threads_.size(), count - 1);
    if (helpers > 0) {
        {
            std::lock_guard lock(mutex_);
            for (std::size_t i = 0; i < helpers; ++i)
                jobs_.emplace_back([run] { run->takePart(); });
        }
        for (std::size_t i = 0; i < helpers; ++i)
            wake_.notify_one();
    }
    run->takePart();

    std::unique_lock lock(run->mutex);
    run->finished.wait(lock, [&] { return run->done == count; });
    if (run->failure)
        std::rethrow_exception(run->failure);
}

} // namespace zn
