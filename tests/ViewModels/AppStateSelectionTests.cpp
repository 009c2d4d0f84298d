#include "appsupport/AppStateHarness.h"

#include <QThreadPool>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using test::makeItem;
using test::makeResult;

// A screen prepares a result's rows off the main thread from the state's own items, never a copy: what it
// holds stays whole while the state moves on to newer results.
TEST(AppStateSelection, SharedItemsOutliveTheResultsTheyCameFrom) {
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    EXPECT_EQ(state.sharedItems(trashBins), nullptr);
    auto first = makeItem(trashBins, "/trash/a", 10, true);
    state.setCategoryResults(
        {{trashBins, makeResult(trashBins, {first, makeItem(trashBins, "/trash/b", 5, true)})}});
    const auto held = state.sharedItems(trashBins);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held.get(), &state.categoryResults().at(trashBins).items);

    state.setCategoryResults(
        {{trashBins, makeResult(trashBins, {makeItem(trashBins, "/trash/c", 1, true)})}});
    state.setCategoryResults({});
    QThreadPool::globalInstance()->waitForDone();
    ASSERT_EQ(held->size(), 2u);
    EXPECT_EQ((*held)[0].id, first.id);
    EXPECT_EQ((*held)[1].path, "/trash/b");
    EXPECT_EQ(state.sharedItems(trashBins), nullptr);
}

TEST(AppStateSelection, TheRuleFollowsEachItemsDefaultAndTheTwoSets) {
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    auto chosen = makeItem(systemJunk, "/junk/a", 10, true);
    auto optional = makeItem(systemJunk, "/junk/b", 20, false);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {chosen, optional})}});

    EXPECT_TRUE(state.isItemSelected(chosen));
    EXPECT_FALSE(state.isItemSelected(optional));

    state.toggleItem(chosen); // selected, default true: remembered as deselected
    EXPECT_FALSE(state.isItemSelected(chosen));
    EXPECT_TRUE(state.deselectedItems().contains(chosen.id));
    state.toggleItem(chosen);
    EXPECT_TRUE(state.isItemSelected(chosen));
    EXPECT_TRUE(state.deselectedItems().empty());
    EXPECT_TRUE(state.selectedCleanupItems().empty());

    state.toggleItem(optional); // not selected, default false: picked
    EXPECT_TRUE(state.selectedCleanupItems().contains(optional.id));
    EXPECT_TRUE(state.isItemSelected(optional));
    state.toggleItem(optional);
    EXPECT_TRUE(state.selectedCleanupItems().empty());
    EXPECT_TRUE(state.deselectedItems().empty());

    state.deselectAllInCategory(systemJunk);
    EXPECT_EQ(state.selectedCountInCategory(systemJunk), 0);
    EXPECT_EQ(state.deselectedItems().size(), 1u);
    state.selectAllInCategory(systemJunk);
    EXPECT_EQ(state.selectedCountInCategory(systemJunk), 2);
    EXPECT_EQ(state.selectedSizeInCategory(systemJunk), 30);
    EXPECT_TRUE(state.deselectedItems().empty());
    EXPECT_EQ(state.selectedCleanupItems(), std::unordered_set<Uuid>{optional.id});
}

TEST(AppStateSelection, CleanAtOnceRule) {
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    auto junk = makeItem(systemJunk, "/junk/a", 10, true);
    auto junkOptional = makeItem(systemJunk, "/junk/b", 10, false);
    auto privacy = makeItem(privacySweep, "/privacy/h", 10, true);
    auto large = makeItem(largeFiles, "/large/movie", 10, false);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {junk, junkOptional})},
                              {privacySweep, makeResult(privacySweep, {privacy})},
                              {largeFiles, makeResult(largeFiles, {large})}});

    // Only default selections of clean-at-once categories.
    EXPECT_FALSE(state.selectedItemsRequireConfirmation());
    // An item the user picked asks for a review even in a clean-at-once category.
    state.toggleItem(junkOptional);
    EXPECT_TRUE(state.selectedItemsRequireConfirmation());
    state.toggleItem(junkOptional);
    // Any selected item of a review-first category does too.
    state.selectAllInCategory(largeFiles);
    EXPECT_TRUE(state.selectedItemsRequireConfirmation());
    // Nothing selected: nothing to confirm.
    for (CleaningCategory category : {systemJunk, privacySweep, largeFiles})
        state.deselectAllInCategory(category);
    EXPECT_TRUE(state.selectedItemsToClean().empty());
    EXPECT_FALSE(state.selectedItemsRequireConfirmation());
}

TEST(AppStateSelection, ResultsInFixedOrderWithoutEmptyOnes) {
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    auto docker = makeItem(dockerCache, "/d", 5, true);
    auto trash = makeItem(trashBins, "/t", 5, true);
    auto junk = makeItem(systemJunk, "/j", 5, true);
    auto weightless = makeItem(userCache, "/zero", 0, true);
    state.setCategoryResults({{dockerCache, makeResult(dockerCache, {docker})},
                              {trashBins, makeResult(trashBins, {trash})},
                              {systemJunk, makeResult(systemJunk, {junk})},
                              {userCache, makeResult(userCache, {weightless})},
                              {smartScan, makeResult(smartScan, {makeItem(smartScan, "/s", 5, true)})}});

    std::vector<CleaningCategory> order;
    for (const CategoryResult* result : state.shownResults())
        order.push_back(result->category);
    EXPECT_EQ(order, (std::vector<CleaningCategory>{systemJunk, trashBins, dockerCache}));
    EXPECT_EQ(state.selectedItemsToClean(), (std::vector<CleanableItem>{junk, trash, docker}));
    // A result with a total of 0 still counts in its own category.
    EXPECT_EQ(state.selectedCountInCategory(userCache), 1);
}

TEST(AppStateSelection, CategoriesWithoutResultsChangeNothing) {
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    auto gone = makeItem(systemJunk, "/gone", 5, true);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {gone})}});
    state.toggleItem(gone);
    state.setCategoryResults({});

    state.selectAllInCategory(largeFiles);
    state.deselectAllInCategory(largeFiles);
    EXPECT_EQ(state.selectedSizeInCategory(largeFiles), 0);
    EXPECT_EQ(state.selectedCountInCategory(largeFiles), 0);
    // The id of an item no longer in any result stays and selects nothing.
    EXPECT_EQ(state.deselectedItems(), std::unordered_set<Uuid>{gone.id});
    EXPECT_TRUE(state.selectedItemsToClean().empty());
}

// The totals are kept between changes: each change must be seen by the next question, also by a handler of
// the change's own signal.
TEST(AppStateSelection, TotalsFollowEveryChangeOfSelectionAndResults) {
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    std::vector<CleanableItem> trash, junk;
    for (int index = 0; index < 40; ++index) {
        trash.push_back(makeItem(trashBins, harness.tree.file("Library/t" + std::to_string(index), 1), 100 + index,
                                 index % 3 != 0));
        junk.push_back(makeItem(systemJunk, "/junk/" + std::to_string(index), 7, true));
    }
    state.setCategoryResults({{trashBins, makeResult(trashBins, trash)}, {systemJunk, makeResult(systemJunk, junk)}});
    const auto expectTotalsRight = [&] {
        std::int64_t allSize = 0;
        for (CleaningCategory category : {trashBins, systemJunk}) {
            std::int64_t size = 0;
            int count = 0;
            if (state.categoryResults().contains(category))
                for (const auto& item : state.categoryResults().at(category).items)
                    if (state.isItemSelected(item)) {
                        size += item.size;
                        ++count;
                    }
            EXPECT_EQ(state.selectedSizeInCategory(category), size);
            EXPECT_EQ(state.selectedCountInCategory(category), count);
            allSize += size;
        }
        EXPECT_EQ(state.selectedSizeToClean(), allSize);
        EXPECT_EQ(state.selectedSizeToClean(), totalSizeOf(state.selectedItemsToClean()));
    };
    int handlersRun = 0;
    for (auto signal : {&AppState::selectedCleanupItemsChanged, &AppState::deselectedItemsChanged,
                        &AppState::categoryResultsChanged})
        QObject::connect(&state, signal, [&] {
            expectTotalsRight();
            ++handlersRun;
        });

    expectTotalsRight();
    state.toggleItem(trash[0]);
    state.toggleItem(trash[1]);
    expectTotalsRight();
    state.deselectAllInCategory(systemJunk);
    expectTotalsRight();
    EXPECT_EQ(state.selectedCountInCategory(systemJunk), 0);
    state.selectAllInCategory(trashBins);
    EXPECT_EQ(state.selectedCountInCategory(trashBins), 40);
    state.setDeselectedItems({trash[5].id, junk[0].id});
    state.setSelectedCleanupItems({junk[1].id});
    expectTotalsRight();
    EXPECT_TRUE(state.selectedItemsRequireConfirmation()); // the trash asks for a review

    // A clean of the trash that leaves one item: the pruned result and selection are counted afresh.
    harness.cleaner->setFate(trash[7].path, test::FakeCleaningService::Fate::leftAlone);
    state.cleanCategory(trashBins);
    ASSERT_TRUE(test::waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
    expectTotalsRight();
    EXPECT_EQ(state.selectedCountInCategory(trashBins), 1);
    EXPECT_EQ(state.selectedSizeInCategory(trashBins), 107);
    state.deselectAllInCategory(trashBins);
    EXPECT_FALSE(state.selectedItemsRequireConfirmation());
    state.setCategoryResults({});
    expectTotalsRight();
    EXPECT_GT(handlersRun, 8);
}

TEST(AppStateSelection, AppFileSearchCount) {
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    state.setDiscoveredFiles({"/a", "/b"});
    state.setIsScanningAppFiles(true);
    EXPECT_EQ(state.currentAppFileSearchLocationCount(), 2);
    state.setAppFileScanLocationCount(40);
    EXPECT_EQ(state.currentAppFileSearchLocationCount(), 40);
    state.setIsScanningAppFiles(false);
    EXPECT_EQ(state.currentAppFileSearchLocationCount(), 2);
}

} // namespace
} // namespace zn
