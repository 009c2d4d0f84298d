#include "ViewModels/CleanFailureReactions.h"
#include "appsupport/AppStateHarness.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using namespace std::chrono_literals;
using Fate = test::FakeCleaningService::Fate;
using test::makeItem;
using test::makeResult;
using test::waitUntil;

class AppStateAccessRetry : public ::testing::Test {
protected:
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    CleanFailureReactions reactions{state};

    CleanableItem fileItem(const std::string& name) {
        return makeItem(systemJunk, harness.tree.file("Library/Caches/" + name, 10), 10, true);
    }
    bool cleanedState() {
        return waitUntil([&] { return state.scanState() == ScanState::cleaned(); });
    }
    // A clean whose two items stay behind for lack of access.
    std::vector<CleanableItem> failCleanForLackOfAccess() {
        auto a = fileItem("a.db");
        auto b = fileItem("b.db");
        harness.cleaner->setFate(a.path, Fate::leftAlone);
        harness.cleaner->setFate(b.path, Fate::leftAlone);
        harness.fullDiskAccess->store(false);
        state.setCategoryResults({{systemJunk, makeResult(systemJunk, {a, b})}});
        state.cleanAll();
        EXPECT_TRUE(cleanedState());
        return {a, b};
    }
};

TEST_F(AppStateAccessRetry, TheWindowHandsAFixableFailureToThePermissionPrompt) {
    auto survivors = failCleanForLackOfAccess();
    // The reaction runs after the whole finishing sequence, so it sees the retry list.
    ASSERT_TRUE(waitUntil([&] { return !harness.permission->requests.empty(); }));
    const auto& request = harness.permission->requests[0];
    EXPECT_EQ(request.context, PermissionPromptContext::cleanup(2));
    EXPECT_EQ(request.failedPaths, (std::vector<std::string>{survivors[0].path, survivors[1].path}));
    EXPECT_FALSE(state.cleanError());
    EXPECT_FALSE(state.cleanErrorIsFDAFixable());
    EXPECT_EQ(state.pendingPermissionRetryItems(), survivors);
    EXPECT_FALSE(reactions.alertMessage());

    harness.clock->advance(3s);
    harness.cleaner->setFate(survivors[0].path, Fate::removed);
    harness.cleaner->setFate(survivors[1].path, Fate::removed);
    harness.fullDiskAccess->store(true);
    harness.permission->grant();
    ASSERT_TRUE(waitUntil([&] { return harness.cleaner->cleanCalls().size() == 2; }));
    EXPECT_EQ(harness.cleaner->cleanCalls()[1], survivors);
    ASSERT_TRUE(cleanedState());
    EXPECT_TRUE(state.pendingPermissionRetryItems().empty());
    EXPECT_FALSE(state.categoryResults().contains(systemJunk));
    EXPECT_EQ(*harness.hapticSignals, 0); // neither a retry nor the failed clean plays it
}

TEST_F(AppStateAccessRetry, AFailureAccessWouldNotFixIsAnAlert) {
    auto stuck = fileItem("stuck.log");
    harness.cleaner->setFate(stuck.path, Fate::leftAlone);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {stuck})}});
    int alerts = 0;
    QObject::connect(&reactions, &CleanFailureReactions::alertMessageChanged, [&] { ++alerts; });
    state.cleanAll();
    ASSERT_TRUE(cleanedState());
    ASSERT_TRUE(waitUntil([&] { return alerts > 0; }));
    EXPECT_EQ(reactions.alertMessage(),
              "Couldn't remove stuck.log. They may be in use or protected by macOS.");
    EXPECT_TRUE(harness.permission->requests.empty());
}

TEST_F(AppStateAccessRetry, AGrantArrivingWhileBusyWaitsForTheRunningFlow) {
    auto survivors = failCleanForLackOfAccess();
    ASSERT_TRUE(waitUntil([&] { return !harness.permission->requests.empty(); }));
    harness.clock->advance(3s);

    harness.scanner->gate(systemJunk).close();
    state.startSmartScan();
    ASSERT_TRUE(waitUntil([&] { return harness.scanner->gate(systemJunk).hasWaiter(); }));
    harness.permission->grant();
    test::processQueuedWork();
    test::processQueuedWork();
    EXPECT_EQ(harness.cleaner->cleanCalls().size(), 1u); // not run alongside the scan...
    EXPECT_FALSE(state.cleanError());

    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(waitUntil([&] { return harness.cleaner->cleanCalls().size() == 2; })); // ...but after it
    EXPECT_EQ(harness.cleaner->cleanCalls()[1], survivors);
    ASSERT_TRUE(cleanedState());
}

TEST_F(AppStateAccessRetry, RetriesNeverRunSideBySideAndNoneIsDropped) {
    auto first = fileItem("first.db");
    auto second = fileItem("second.db");
    harness.cleaner->gate().close();
    state.requestFullDiskAccessAndRetry({first}, PermissionPromptContext::cleanup(1));
    harness.permission->grant();
    ASSERT_TRUE(waitUntil([&] { return harness.cleaner->gate().hasWaiter(); }));
    EXPECT_EQ(state.scanState(), ScanState::cleaning(0));

    state.requestFullDiskAccessAndRetry({second}, PermissionPromptContext::cleanup(1));
    EXPECT_EQ(state.pendingPermissionRetryItems(), std::vector<CleanableItem>{second});
    harness.permission->grant();
    test::processQueuedWork();
    EXPECT_EQ(harness.cleaner->cleanCalls().size(), 1u);

    harness.cleaner->gate().open();
    ASSERT_TRUE(waitUntil([&] { return harness.cleaner->cleanCalls().size() == 2; }));
    EXPECT_EQ(harness.cleaner->cleanCalls()[0], std::vector<CleanableItem>{first});
    EXPECT_EQ(harness.cleaner->cleanCalls()[1], std::vector<CleanableItem>{second});
    ASSERT_TRUE(cleanedState());
    // The first retry's return to idle does not cut the second one's cleaned state short.
    harness.clock->advance(3s);
    EXPECT_EQ(state.scanState(), ScanState::idle());
}

TEST_F(AppStateAccessRetry, AnEmptyGrantOnlyClearsTheMessage) {
    state.setCleanError("old");
    state.requestFullDiskAccessAndRetry({}, PermissionPromptContext::general());
    harness.permission->grant();
    test::processQueuedWork();
    EXPECT_FALSE(state.cleanError());
    EXPECT_EQ(state.scanState(), ScanState::idle());
    EXPECT_TRUE(harness.cleaner->cleanCalls().empty());
}

} // namespace
} // namespace zn
