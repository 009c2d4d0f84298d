#include "ViewModels/ProgressRelay.h"
#include "appsupport/AppStateHarness.h"

#include <gtest/gtest.h>

#include <thread>

namespace zn {
namespace {

using namespace std::chrono_literals;

TEST(ProgressRelay, AtMostOneReportAFrameAndTheLastBeforeTheEnd) {
    test::FakeClock clock;
    QObject context;
    std::vector<double> published;
    auto relay = std::make_shared<ProgressRelay>(clock, &context, [&](double fraction) { published.push_back(fraction); });

    // A burst from a worker: the first report goes out at once, the others wait for the next frame.
    std::thread worker([&] {
        for (int item = 1; item <= 1000; ++item)
            relay->report(item / 1000.0);
    });
    worker.join();
    test::processQueuedWork();
    ASSERT_EQ(published.size(), 1u);
    relay->report(0.25); // the same thread may report too
    test::processQueuedWork();
    EXPECT_EQ(published.size(), 1u);
    clock.advance(15ms);
    EXPECT_EQ(published.size(), 1u);
    clock.advance(1ms);
    EXPECT_EQ(published, (std::vector<double>{published.front(), 0.25}));

    // A frame later a report goes out at once again; the end publishes the one still waiting, then nothing.
    clock.advance(40ms);
    relay->report(0.5);
    test::processQueuedWork();
    relay->report(0.75);
    relay->report(1.0);
    relay->finish();
    EXPECT_EQ(published, (std::vector<double>{published.front(), 0.25, 0.5, 1.0}));
    relay->report(0.1);
    test::processQueuedWork();
    clock.advance(1s);
    EXPECT_EQ(published.size(), 4u);
    EXPECT_EQ(clock.pendingCalls(), 0u);
}

TEST(ProgressRelay, NothingReachesAContextThatIsGone) {
    test::FakeClock clock;
    auto context = std::make_unique<QObject>();
    int published = 0;
    auto relay = std::make_shared<ProgressRelay>(clock, context.get(), [&](double) { ++published; });
    relay->report(0.5);
    context.reset();
    test::processQueuedWork();
    relay->finish();
    EXPECT_EQ(published, 0);
}

// A clean of many items: the screens hear a few reports, the last one complete, and none after the end.
TEST(ProgressRelay, ACleanOfManyItemsReportsAFewTimes) {
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    std::vector<CleanableItem> items;
    for (int index = 0; index < 5000; ++index)
        items.push_back(test::makeItem(CleaningCategory::trashBins, "/trash/" + std::to_string(index), 10, true));
    state.setCategoryResults({{CleaningCategory::trashBins, test::makeResult(CleaningCategory::trashBins, items)}});
    std::vector<ScanState> states;
    QObject::connect(&state, &AppState::scanStateChanged, [&] { states.push_back(state.scanState()); });

    state.cleanCategory(CleaningCategory::trashBins);
    ASSERT_TRUE(test::waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
    EXPECT_EQ(state.cleanProgress(), 1.0);
    // Virtual time stands still: the start, the first report, the last one flushed by the end, the end.
    EXPECT_LE(states.size(), 4u);
    ASSERT_GE(states.size(), 2u);
    EXPECT_EQ(states[states.size() - 2], ScanState::cleaning(1.0));
    harness.clock->advance(3s);
    EXPECT_EQ(state.scanState(), ScanState::idle());
}

} // namespace
} // namespace zn
