#include "Platform/core/WorkerPool.h"

#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

namespace zn {
namespace {

TEST(WorkerPool, EveryIndexRunsOnceAndResultsKeepIndexOrder) {
    WorkerPool pool(4);
    std::vector<std::atomic<int>> runs(10'000);
    pool.forEachIndex(runs.size(), [&](std::size_t index) { ++runs[index]; });
    for (const auto& count : runs)
        ASSERT_EQ(count, 1);

    const auto squares =
        pool.inIndexOrder<std::size_t>(1000, [](std::size_t index) { return index * index; });
    for (std::size_t index = 0; index < squares.size(); ++index)
        ASSERT_EQ(squares[index], index * index);
    pool.forEachIndex(0, [](std::size_t) { FAIL() << "nothing to run"; });
}

TEST(WorkerPool, ThreadsAreStartedOnceAndReused) {
    WorkerPool pool(3);
    std::mutex mutex;
    std::set<std::thread::id> seen;
    for (int call = 0; call < 200; ++call)
        pool.forEachIndex(50, [&](std::size_t) {
            std::lock_guard lock(mutex);
            seen.insert(std::this_thread::get_id());
        });
    // The three workers and the caller, never a thread per index or per call.
    EXPECT_LE(seen.size(), 4u);
    EXPECT_TRUE(seen.contains(std::this_thread::get_id()));

    WorkerPool alone(0);
    std::set<std::thread::id> aloneSeen;
    alone.forEachIndex(20, [&](std::size_t) { aloneSeen.insert(std::this_thread::get_id()); });
    EXPECT_EQ(aloneSeen, std::set<std::thread::id>{std::this_thread::get_id()});
}

TEST(WorkerPool, NestedCallsFinishEvenWithOneWorker) {
    // Every outer body waits for an inner run; a pool that queued the inner work behind the busy worker
    // would never finish.
    for (unsigned workers : {1u, 2u, 8u}) {
        WorkerPool pool(workers);
        std::atomic<int> leaves{0};
        pool.forEachIndex(12, [&](std::size_t) {
            pool.forEachIndex(30, [&](std::size_t) { pool.forEachIndex(3, [&](std::size_t) { ++leaves; }); });
        });
        EXPECT_EQ(leaves, 12 * 30 * 3) << workers << " workers";
    }
}

TEST(WorkerPool, AFailingBodyIsReportedAfterTheOthersReturned) {
    WorkerPool pool(4);
    std::atomic<int> finished{0};
    EXPECT_THROW(pool.forEachIndex(100,
                                   [&](std::size_t index) {
                                       if (index == 7)
                                           throw std::runtime_error("seven");
                                       ++finished;
                                   }),
                 std::runtime_error);
    EXPECT_EQ(finished, 99);
    // The pool is still usable afterwards.
    EXPECT_EQ(pool.inIndexOrder<int>(3, [](std::size_t index) { return static_cast<int>(index); }),
              (std::vector<int>{0, 1, 2}));
}

} // namespace
} // namespace zn
