#include "appsupport/AppStateHarness.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using namespace std::chrono_literals;
using test::makeItem;
using test::makeResult;
using test::waitUntil;

class AppStateSmartScan : public ::testing::Test {
protected:
    test::AppStateHarness harness;
    AppState& state = harness.makeState();

    bool scanWaitsAt(CleaningCategory category) {
        return waitUntil([&] { return harness.scanner->gate(category).hasWaiter(); });
    }
};

TEST_F(AppStateSmartScan, ProgressCreepsWithinTheBandOfASlowScanner) {
    harness.scanner->gate(systemJunk).close();
    harness.scanner->gate(userCache).close();
    state.startSmartScan();
    EXPECT_EQ(state.scanState(), ScanState::scanning(0.01, "Getting ready"));
    EXPECT_EQ(state.currentScanCategory(), "Getting ready");
    ASSERT_TRUE(scanWaitsAt(systemJunk));
    EXPECT_EQ(state.scanState(), ScanState::scanning(0.01, "Mac Cleanup"));

    std::vector<double> seen;
    QObject::connect(&state, &AppState::scanProgressChanged, &state,
                     [&] { seen.push_back(state.scanProgress()); });
    harness.clock->advance(650ms);
    EXPECT_DOUBLE_EQ(state.scanProgress(), 0.02);
    harness.clock->advance(10s - 650ms);
    EXPECT_NEAR(state.scanProgress(), 0.16, 1e-9); // 15 steps of 0.01 in 10 seconds
    harness.clock->advance(20s);
    EXPECT_EQ(state.scanProgress(), 0.24); // stops 0.01 short of the band's end
    for (std::size_t i = 1; i < seen.size(); ++i)
        EXPECT_GT(seen[i], seen[i - 1]);
    EXPECT_LE(*std::max_element(seen.begin(), seen.end()), 0.24);
    EXPECT_EQ(state.scanState(), ScanState::scanning(0.24, "Mac Cleanup"));

    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(scanWaitsAt(userCache));
    EXPECT_EQ(state.scanProgress(), 0.25);
    EXPECT_EQ(state.scanState(), ScanState::scanning(0.25, "App Cleanup"));
    EXPECT_EQ(state.currentScanCategory(), "App Cleanup");
    harness.scanner->gate(userCache).open();
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));
    EXPECT_EQ(state.scanProgress(), 1.0);
    // No creep is left to move the finished bar.
    harness.clock->advance(5s);
    EXPECT_EQ(state.scanProgress(), 1.0);
    EXPECT_EQ(harness.clock->pendingCalls(), 0u);
}

TEST_F(AppStateSmartScan, StoresAllFourResultsAndReloadsTheDisk) {
    auto junk = makeResult(systemJunk, {makeItem(systemJunk, "/j", 100, true)});
    auto privacy = makeResult(privacySweep, {makeItem(privacySweep, "/p", 30, true)});
    harness.scanner->setResult(junk);
    harness.scanner->setResult(privacy);
    harness.scanner->setDiskInfo({1000, 400, 600, 0});
    // Results and choices of an earlier scan are thrown away.
    auto stale = makeItem(largeFiles, "/old", 5, false);
    state.setCategoryResults({{largeFiles, makeResult(largeFiles, {stale})}});
    state.toggleItem(stale);
    state.setScanState(ScanState::cleaned());

    state.startSmartScan();
    EXPECT_TRUE(state.categoryResults().empty());
    EXPECT_TRUE(state.selectedCleanupItems().empty());
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));

    EXPECT_EQ(harness.scanner->scannedCategories(),
              (std::vector<CleaningCategory>{systemJunk, userCache, purgeableSpace, privacySweep}));
    ASSERT_EQ(state.categoryResults().size(), 4u);
    EXPECT_TRUE(state.categoryResults().at(userCache).items.empty()); // kept although empty...
    std::vector<CleaningCategory> shown;
    for (const CategoryResult* result : state.shownResults())
        shown.push_back(result->category);
    EXPECT_EQ(shown, (std::vector<CleaningCategory>{systemJunk, privacySweep})); // ...but not shown
    EXPECT_EQ(state.totalJunkSize(), 130);
    EXPECT_EQ(state.scanProgress(), 1.0);
    ASSERT_TRUE(waitUntil([&] { return state.diskInfo().totalSpace == 1000; }));
}

TEST_F(AppStateSmartScan, ASecondScanIsRefusedWhileBusy) {
    harness.scanner->gate(systemJunk).close();
    state.startSmartScan();
    ASSERT_TRUE(scanWaitsAt(systemJunk));
    state.startSmartScan();
    state.scanSingleCategory(largeFiles);
    state.scanAndCleanCategory(systemJunk);
    test::processQueuedWork();
    EXPECT_EQ(harness.scanner->scannedCategories(), std::vector<CleaningCategory>{systemJunk});
    EXPECT_EQ(state.scanState(), ScanState::scanning(0.01, "Mac Cleanup"));

    // Cleaning too: the state is scanning.
    state.setScanState(ScanState::cleaning(0.5));
    state.startSmartScan();
    EXPECT_EQ(state.scanState(), ScanState::cleaning(0.5));
    state.setScanState(ScanState::scanning(0.01, "Mac Cleanup"));
    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));
    EXPECT_EQ(harness.scanner->scannedCategories().size(), 4u);
}

TEST_F(AppStateSmartScan, SingleCategoryScanReplacesOnlyItsOwnResultAndSelection) {
    auto junkItem = makeItem(systemJunk, "/j", 100, true);
    auto oldLarge = makeItem(largeFiles, "/large/old", 7, false);
    auto newLarge = makeItem(largeFiles, "/large/new", 50, false);
    state.setCategoryResults(
        {{systemJunk, makeResult(systemJunk, {junkItem})}, {largeFiles, makeResult(largeFiles, {oldLarge})}});
    state.toggleItem(junkItem);
    state.toggleItem(oldLarge);
    harness.scanner->setResult(makeResult(largeFiles, {newLarge}));
    harness.scanner->gate(systemJunk).close();
    harness.scanner->gate(largeFiles).close();

    state.scanSingleCategory(systemJunk);
    EXPECT_EQ(state.scanState(),
              ScanState::scanning(0, "System Cleanup")); // the raw value, not "Mac Cleanup"
    ASSERT_TRUE(scanWaitsAt(systemJunk));
    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));

    state.scanSingleCategory(largeFiles);
    ASSERT_TRUE(scanWaitsAt(largeFiles));
    EXPECT_EQ(state.scanProgress(), 0.5);
    EXPECT_FALSE(state.selectedCleanupItems().contains(oldLarge.id)); // back to its default
    harness.scanner->gate(largeFiles).open();
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));

    EXPECT_EQ(state.categoryResults().at(largeFiles).items, std::vector<CleanableItem>{newLarge});
    EXPECT_EQ(state.totalJunkSize(), 50); // the junk scan found nothing this time
    EXPECT_EQ(state.scanProgress(), 1.0);
    EXPECT_EQ(state.currentScanCategory(), "");
    EXPECT_EQ(harness.scanner->diskInfoReads(), 0);
}

TEST_F(AppStateSmartScan, SingleCategoryScanAfterSmartScanKeepsOtherSelections) {
    auto junk = makeItem(systemJunk, "/j", 10, true);
    harness.scanner->setResult(makeResult(systemJunk, {junk}));
    harness.scanner->setResult(makeResult(userCache, {makeItem(userCache, "/u", 20, true)}));
    harness.scanner->setResult(makeResult(largeFiles, {makeItem(largeFiles, "/l", 40, false)}));
    state.startSmartScan();
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));
    state.toggleItem(junk);

    state.scanSingleCategory(largeFiles);
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));
    EXPECT_EQ(state.categoryResults().size(), 5u);
    EXPECT_EQ(state.totalJunkSize(), 70);
    EXPECT_TRUE(state.deselectedItems().contains(junk.id));
}

} // namespace
} // namespace zn
