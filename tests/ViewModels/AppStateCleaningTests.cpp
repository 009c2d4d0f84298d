#include "appsupport/AppStateHarness.h"

#include <QThreadPool>
#include <csignal>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using namespace std::chrono_literals;
using Fate = test::FakeCleaningService::Fate;
using test::makeItem;
using test::makeResult;
using test::waitUntil;

class AppStateCleaning : public ::testing::Test {
protected:
    test::AppStateHarness harness;
    AppState& state = harness.makeState();

    // A file that really is on disk, so that it can survive a clean.
    CleanableItem fileItem(CleaningCategory category, const std::string& name, std::int64_t size = 10) {
        return makeItem(category, harness.tree.file("Library/Caches/" + name, size), size, true);
    }
    bool cleanedState() {
        return waitUntil([&] { return state.scanState() == ScanState::cleaned(); });
    }
};

TEST_F(AppStateCleaning, NothingSelectedChangesNothing) {
    auto item = fileItem(privacySweep, "History.db");
    state.setCategoryResults({{privacySweep, makeResult(privacySweep, {item})}});
    state.deselectAllInCategory(privacySweep);
    harness.runBrowser(100, "/opt/google/chrome/chrome");

    state.cleanAll();
    state.cleanCategory(privacySweep);
    state.cleanCategory(largeFiles); // never scanned
    test::processQueuedWork();
    EXPECT_EQ(state.scanState(), ScanState::idle());
    EXPECT_TRUE(harness.prompter->questions.empty());
    EXPECT_TRUE(harness.cleaner->cleanCalls().empty());
}

TEST_F(AppStateCleaning, CleanAllRecordsPrunesAndReturnsToIdle) {
    auto trashA = fileItem(trashBins, "a", 100);
    auto trashB = fileItem(trashBins, "b", 50);
    auto junk = fileItem(systemJunk, "junk", 30);
    auto keptJunk = fileItem(systemJunk, "kept", 7);
    state.setCategoryResults({{trashBins, makeResult(trashBins, {trashA, trashB})},
                              {systemJunk, makeResult(systemJunk, {junk, keptJunk})}});
    state.toggleItem(keptJunk);

    state.cleanAll();
    EXPECT_EQ(state.scanState(), ScanState::cleaning(0));
    ASSERT_TRUE(cleanedState());
    EXPECT_EQ(state.cleanProgress(), 1.0);
    EXPECT_EQ(state.totalFreedSpace(), 180);
    EXPECT_EQ(state.lastCleanedDate(), harness.clock->now());
    EXPECT_FALSE(state.categoryResults().contains(trashBins)); // emptied, so gone
    ASSERT_EQ(state.categoryResults().at(systemJunk).items, std::vector<CleanableItem>{keptJunk});
    EXPECT_EQ(state.categoryResults().at(systemJunk).totalSize, 7);
    EXPECT_EQ(state.totalJunkSize(), 7);
    EXPECT_TRUE(state.deselectedItems().contains(keptJunk.id)); // the kept item's choice stays
    EXPECT_FALSE(state.cleanError());
    EXPECT_FALSE(state.cleanErrorIsFDAFixable());
    EXPECT_TRUE(state.pendingPermissionRetryItems().empty());
    EXPECT_EQ(*harness.hapticSignals, 1);

    harness.clock->advance(2999ms);
    EXPECT_EQ(state.totalFreedSpace(), 180);
    harness.clock->advance(1ms);
    EXPECT_EQ(state.scanState(), ScanState::idle());
    EXPECT_EQ(state.totalFreedSpace(), 0);
}

TEST_F(AppStateCleaning, DoneBeforeTheReturnToIdleStillClearsTheFreedSpace) {
    auto item = fileItem(systemJunk, "junk", 30);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {item})}});
    state.cleanAll();
    ASSERT_TRUE(cleanedState());
    state.setScanState(ScanState::idle()); // the dashboard's "Done"
    harness.clock->advance(3s);
    EXPECT_EQ(state.scanState(), ScanState::idle());
    EXPECT_EQ(state.totalFreedSpace(), 0);
}

TEST_F(AppStateCleaning, AScanStartedDuringTheCleanedStateIsNotSentBackToIdle) {
    auto item = fileItem(systemJunk, "junk", 30);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {item})}});
    state.cleanAll();
    ASSERT_TRUE(cleanedState());
    harness.clock->advance(1s);
    state.setScanState(ScanState::idle()); // "Done", then a new scan at once
    harness.scanner->gate(systemJunk).close();
    state.startSmartScan();
    ASSERT_TRUE(waitUntil([&] { return harness.scanner->gate(systemJunk).hasWaiter(); }));

    harness.clock->advance(2s);
    EXPECT_EQ(state.scanState().kind(), ScanState::Kind::scanning);
    state.startSmartScan(); // still refused: the scan is still running
    EXPECT_EQ(harness.scanner->scannedCategories().size(), 1u);
    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));
}

TEST_F(AppStateCleaning, AdministratorPassIsMergedAndSurvivorsAreNamed) {
    auto a = fileItem(systemJunk, "a.log", 10);
    auto b = fileItem(systemJunk, "b.log", 20);
    auto c = fileItem(systemJunk, "c.log", 40);
    auto protectedGone = fileItem(systemJunk, "protected.log", 80);
    auto removed = fileItem(systemJunk, "removed.log", 160);
    harness.cleaner->setFate(a.path, Fate::failed);
    harness.cleaner->setFate(b.path, Fate::permissionDenied);
    harness.cleaner->setFate(c.path, Fate::leftAlone);
    harness.cleaner->setFate(protectedGone.path, Fate::permissionDenied);
    harness.cleaner->setAdministratorRemoves({protectedGone.path});
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {a, b, c, protectedGone, removed})}});

    state.cleanAll();
    ASSERT_TRUE(cleanedState());
    auto administrator = harness.cleaner->administratorCalls();
    ASSERT_EQ(administrator.size(), 1u);
    EXPECT_EQ(administrator[0], (std::vector<CleanableItem>{b, protectedGone}));
    EXPECT_EQ(state.totalFreedSpace(), 240);
    EXPECT_EQ(state.categoryResults().at(systemJunk).items, (std::vector<CleanableItem>{a, b, c}));
    EXPECT_EQ(state.pendingPermissionRetryItems(), (std::vector<CleanableItem>{a, b, c}));
    EXPECT_FALSE(state.cleanErrorIsFDAFixable());
    EXPECT_EQ(state.cleanError(),
              "Couldn't remove a.log, b.log and 1 more. They may be in use or protected by macOS.");
}

TEST_F(AppStateCleaning, OutcomeMessages) {
    auto a = makeItem(systemJunk, "/x/a.log", 1, true);
    auto b = makeItem(systemJunk, "/x/b.log", 1, true);
    state.handleCleanOutcome({}, {a});
    EXPECT_EQ(state.cleanError(), "Couldn't remove a.log. They may be in use or protected by macOS.");
    state.handleCleanOutcome({}, {a, b});
    EXPECT_EQ(state.cleanError(), "Couldn't remove a.log, b.log. They may be in use or protected by macOS.");
    state.handleCleanOutcome({"first", "second"}, {});
    EXPECT_EQ(state.cleanError(), "first");
    EXPECT_FALSE(state.cleanErrorIsFDAFixable()); // nothing survived, so access would fix nothing

    harness.fullDiskAccess->store(false);
    state.handleCleanOutcome({"ignored"}, {a, b});
    EXPECT_TRUE(state.cleanErrorIsFDAFixable());
    EXPECT_EQ(state.pendingPermissionRetryItems(), (std::vector<CleanableItem>{a, b}));
    EXPECT_EQ(state.cleanError(),
              "macOS is protecting 2 item(s). Allow access and Zelva Nexal will try again.");

    state.handleCleanOutcome({}, {});
    EXPECT_FALSE(state.cleanError());
    EXPECT_FALSE(state.cleanErrorIsFDAFixable());
    EXPECT_TRUE(state.pendingPermissionRetryItems().empty());
}

TEST_F(AppStateCleaning, PurgeableSpaceAndVanishedPathsAreNeverSurvivors) {
    auto purgeable = makeItem(purgeableSpace, "/", 5000, true);
    auto snapshot = makeItem(purgeableSpace, "com.apple.TimeMachine.2024-01-01-000000.local", 900, true);
    auto vanished = makeItem(systemJunk, harness.tree.path("Library/Caches/gone-already"), 10, true);
    auto stuck = fileItem(systemJunk, "stuck.log", 10);
    harness.cleaner->setFate(vanished.path, Fate::leftAlone);
    harness.cleaner->setFate(stuck.path, Fate::leftAlone);
    harness.cleaner->setPurgeReleases(2000);
    harness.fullDiskAccess->store(false);
    CategoryResult purge{Uuid::random(), purgeableSpace, {purgeable, snapshot}, 5000};
    state.setCategoryResults(
        {{purgeableSpace, purge}, {systemJunk, makeResult(systemJunk, {vanished, stuck})}});

    state.cleanAll();
    ASSERT_TRUE(cleanedState());
    EXPECT_EQ(state.pendingPermissionRetryItems(), std::vector<CleanableItem>{stuck});
    EXPECT_EQ(state.cleanError(),
              "macOS is protecting 1 item(s). Allow access and Zelva Nexal will try again.");
    // The purgeable total keeps counting only the purgeable item, never the snapshots.
    EXPECT_EQ(state.categoryResults().at(purgeableSpace).totalSize, 5000);

    // Only the purge and a vanished file: a clean success.
    harness.fullDiskAccess->store(true);
    harness.clock->advance(3s);
    state.setCategoryResults(
        {{purgeableSpace, CategoryResult{Uuid::random(), purgeableSpace, {purgeable}, 5000}},
         {systemJunk, makeResult(systemJunk, {vanished})}});
    state.cleanAll();
    ASSERT_TRUE(cleanedState());
    EXPECT_FALSE(state.cleanError());
    EXPECT_TRUE(state.pendingPermissionRetryItems().empty());
    EXPECT_EQ(state.totalFreedSpace(), 2000);
}

TEST_F(AppStateCleaning, CleanCategoryTouchesOnlyItsOwnCategory) {
    auto junk = fileItem(systemJunk, "junk", 30);
    auto cache = fileItem(userCache, "cache", 5);
    auto zero = makeItem(userCache, harness.tree.file("Library/Caches/empty", 0), 0, true);
    state.setCategoryResults(
        {{systemJunk, makeResult(systemJunk, {junk})}, {userCache, makeResult(userCache, {zero})}});
    state.toggleItem(junk);
    state.toggleItem(junk);
    state.toggleItem(cache); // an id of an item not in any result
    state.toggleItem(junk);

    // A result with a total of 0 is cleaned by its own screen.
    state.cleanCategory(userCache);
    ASSERT_TRUE(cleanedState());
    EXPECT_EQ(harness.cleaner->cleanCalls().back(), std::vector<CleanableItem>{zero});
    EXPECT_FALSE(state.categoryResults().contains(userCache));
    EXPECT_TRUE(state.deselectedItems().contains(junk.id));
    EXPECT_TRUE(state.deselectedItems().contains(cache.id));
    EXPECT_EQ(*harness.hapticSignals, 0);
}

TEST_F(AppStateCleaning, ResultsStoredAnewWhileACleanRunsArePrunedAsTheyStandWhenItEnds) {
    auto junk = fileItem(systemJunk, "junk", 30);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {junk})}});
    harness.cleaner->gate().close();
    state.cleanCategory(systemJunk);
    ASSERT_TRUE(waitUntil([&] { return harness.cleaner->gate().hasWaiter(); }));

    auto kept = fileItem(systemJunk, "kept", 7);
    auto cache = fileItem(userCache, "cache", 5);
    state.setCategoryResults(
        {{systemJunk, makeResult(systemJunk, {junk, kept})}, {userCache, makeResult(userCache, {cache})}});
    harness.cleaner->gate().open();
    ASSERT_TRUE(cleanedState());
    ASSERT_TRUE(state.categoryResults().contains(systemJunk));
    EXPECT_EQ(state.categoryResults().at(systemJunk).items, std::vector<CleanableItem>{kept});
    ASSERT_TRUE(state.categoryResults().contains(userCache));
    EXPECT_EQ(state.categoryResults().at(userCache).items, std::vector<CleanableItem>{cache});
}

// Holds every thread of the global pool while it lives, so that work handed to the pool waits there.
class HeldThreadPool {
public:
    HeldThreadPool() {
        gate_.close();
        for (int thread = 0; thread < QThreadPool::globalInstance()->maxThreadCount(); ++thread)
            QThreadPool::globalInstance()->start([this] { gate_.passThrough(); });
    }
    ~HeldThreadPool() {
        gate_.open();
        QThreadPool::globalInstance()->waitForDone();
    }

private:
    test::Gate gate_;
};

TEST_F(AppStateCleaning, ResultsReplacedWhileACleanRunsAreFreedOffTheMainThread) {
    // Up to a hundred thousand items: freeing them would hold the window up.
    auto junk = fileItem(systemJunk, "junk", 30);
    auto kept = fileItem(systemJunk, "kept", 7);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {junk, kept})}});
    state.toggleItem(kept); // the clean gets a list of its own, not the stored one
    const std::weak_ptr<const std::vector<CleanableItem>> replaced = state.sharedItems(systemJunk);
    harness.cleaner->gate().close();
    state.cleanCategory(systemJunk);
    ASSERT_TRUE(waitUntil([&] { return harness.cleaner->gate().hasWaiter(); }));
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {junk, kept})}});
    harness.cleaner->gate().open();
    QThreadPool::globalInstance()->waitForDone(); // the clean's own copy is the last one now

    {
        HeldThreadPool held;
        test::processQueuedWork(); // the clean ends on the main thread
        EXPECT_EQ(state.scanState(), ScanState::cleaned());
        EXPECT_FALSE(replaced.expired());
    }
    EXPECT_TRUE(replaced.expired());
    EXPECT_EQ(state.categoryResults().at(systemJunk).items, std::vector<CleanableItem>{kept});
}

TEST_F(AppStateCleaning, HapticSignalOnlyWhenSomethingWasRemoved) {
    auto stuck = fileItem(systemJunk, "stuck", 30);
    harness.cleaner->setFate(stuck.path, Fate::leftAlone);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {stuck})}});
    state.cleanAll();
    ASSERT_TRUE(cleanedState());
    EXPECT_EQ(*harness.hapticSignals, 0);
}

TEST_F(AppStateCleaning, ScanAndCleanAcceptsOnlyCleanAtOnceCategories) {
    state.scanAndCleanCategory(largeFiles);
    EXPECT_EQ(state.scanState(), ScanState::idle());

    auto optional = makeItem(privacySweep, "/p/optional", 10, false);
    harness.scanner->setResult(makeResult(privacySweep, {optional}));
    harness.scanner->setDiskInfo({77, 0, 0, 0});
    state.scanAndCleanCategory(privacySweep);
    EXPECT_EQ(state.scanState(), ScanState::scanning(0, "Privacy Sweep"));
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));
    EXPECT_TRUE(harness.cleaner->cleanCalls().empty());
    EXPECT_EQ(state.scanProgress(), 1.0);
    ASSERT_TRUE(waitUntil([&] { return state.diskInfo().totalSpace == 77; }));
}

TEST_F(AppStateCleaning, ScanAndCleanCleansTheFreshDefaultSelection) {
    auto old = fileItem(systemJunk, "old", 1);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {old})}});
    state.toggleItem(old);
    auto fresh = fileItem(systemJunk, "fresh", 40);
    auto optional = fileItem(systemJunk, "optional", 2);
    optional.isSelected = false;
    harness.scanner->setResult(makeResult(systemJunk, {fresh, optional}));
    harness.scanner->gate(systemJunk).close();

    state.scanAndCleanCategory(systemJunk);
    ASSERT_TRUE(waitUntil([&] { return harness.scanner->gate(systemJunk).hasWaiter(); }));
    EXPECT_EQ(state.scanProgress(), 0.35);
    EXPECT_TRUE(state.deselectedItems().empty());
    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(cleanedState());
    EXPECT_EQ(harness.cleaner->cleanCalls().back(), std::vector<CleanableItem>{fresh});
    EXPECT_EQ(state.categoryResults().at(systemJunk).items, std::vector<CleanableItem>{optional});
    EXPECT_EQ(state.totalJunkSize(), 2);
    EXPECT_EQ(*harness.hapticSignals, 1);
}

} // namespace
} // namespace zn
