#include "Platform/core/MainQueue.h"
#include "Platform/qt/EventLoopMainQueue.h"
#include "appsupport/AppStateHarness.h"

#include <gtest/gtest.h>
#include <thread>

namespace zn {
namespace {

TEST(EventLoopMainQueue, PostedWorkRunsOnTheEventLoopWhileItExists) {
    int ran = 0;
    MainQueue::drainPending();
    MainQueue::post([&] { ++ran; }); // waiting from before
    {
        EventLoopMainQueue bridge;
        std::thread poster([&] { MainQueue::post([&] { ran += 10; }); });
        poster.join();
        EXPECT_EQ(ran, 0);
        test::processQueuedWork();
        EXPECT_EQ(ran, 11);
    }
    MainQueue::post([&] { ran += 100; });
    test::processQueuedWork();
    EXPECT_EQ(ran, 11);
    EXPECT_EQ(MainQueue::drainPending(), 1);
    EXPECT_EQ(ran, 111);
}

} // namespace
} // namespace zn
