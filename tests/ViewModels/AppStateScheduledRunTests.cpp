#include "appsupport/AppStateHarness.h"
#include "support/LogCapture.h"

#include <QThreadPool>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using namespace std::chrono_literals;
using test::makeItem;
using test::makeResult;
using test::waitUntil;

// An onboarded application whose stored schedule is due at the first check, a minute after start-up.
class AppStateScheduledRun : public ::testing::Test {
protected:
    test::AppStateHarness harness;

    AppState& startWith(ScheduleConfig config) {
        config.isEnabled = true;
        config.lastRunDate = harness.clock->now() - 72h;
        config.nextRunDate = harness.clock->now() + 1h;
        harness.defaults->setData(QByteArray::fromStdString(config.encoded()), SchedulerService::kConfigKey);
        harness.defaults->setBool(true, "ZelvaNexal.OnboardingComplete");
        AppState& state = harness.makeState(true);
        EXPECT_TRUE(waitUntil([&] { return !state.isLoadingApps(); }));
        return state;
    }
    void tick() {
        harness.clock->advance(60s);
        test::processQueuedWork();
    }
    bool notified(std::size_t count = 1) {
        return waitUntil([&] { return harness.notifier->posted.size() >= count; });
    }
    // Results of 60 and 40 bytes in two of the four default categories.
    void cannedResults() {
        harness.scanner->setResult(makeResult(systemJunk, {makeItem(systemJunk, "/a/junk", 60, true)}));
        harness.scanner->setResult(makeResult(userCache, {makeItem(userCache, "/a/cache", 40, true)}));
    }
};

TEST_F(AppStateScheduledRun, ScansTheScheduledCategoriesAndNotifiesWhatItFound) {
    harness.scanner->setResult(makeResult(systemJunk, {makeItem(systemJunk, "/a/junk", 1'000'000, true)}));
    harness.scanner->setResult(makeResult(userCache, {makeItem(userCache, "/a/cache", 234'000, true)}));
    ScheduleConfig config;
    config.categoriesToScan = {userCache, smartScan, systemJunk};
    AppState& state = startWith(config);
    auto earlier = makeItem(largeFiles, "/a/old", 5, false);
    state.setCategoryResults({{largeFiles, makeResult(largeFiles, {earlier})}});
    state.toggleItem(earlier);

    tick();
    ASSERT_TRUE(notified());
    EXPECT_EQ(harness.notifier->posted[0], (Notification{"Zelva Nexal", "Found 1.2 MB you can clean."}));
    EXPECT_EQ(harness.scanner->scannedCategories(),
              (std::vector<CleaningCategory>{userCache, smartScan, systemJunk}));
    EXPECT_EQ(state.categoryResults().size(), 3u); // the earlier results are gone; Quick Clean is empty
    EXPECT_EQ(state.categoryResults().at(smartScan).totalSize, 0);
    EXPECT_TRUE(state.selectedCleanupItems().empty());
    EXPECT_EQ(state.totalJunkSize(), 1'234'000);
    EXPECT_EQ(state.scanState(), ScanState::idle()); // the dashboard shows no scan
    EXPECT_TRUE(harness.cleaner->cleanCalls().empty());
    EXPECT_EQ(harness.cleaner->purges(), 0);
}

TEST_F(AppStateScheduledRun, AutoCleanStartsAtExactlyTheMinimumSize) {
    cannedResults();
    ScheduleConfig config;
    config.autoClean = true;
    config.minimumCleanSize = 100;
    AppState& state = startWith(config);
    tick();
    ASSERT_TRUE(notified());
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
    ASSERT_EQ(harness.cleaner->cleanCalls().size(), 1u);
    EXPECT_EQ(harness.cleaner->cleanCalls()[0].size(), 2u);
    EXPECT_EQ(harness.notifier->posted[0].body, "Found 100 bytes you can clean.");

    test::AppStateHarness below;
    below.scanner->setResult(makeResult(systemJunk, {makeItem(systemJunk, "/a/junk", 99, true)}));
    config.isEnabled = true;
    config.lastRunDate = below.clock->now() - 72h;
    below.defaults->setData(QByteArray::fromStdString(config.encoded()), SchedulerService::kConfigKey);
    below.defaults->setBool(true, "ZelvaNexal.OnboardingComplete");
    below.makeState(true);
    below.clock->advance(60s);
    ASSERT_TRUE(waitUntil([&] { return below.notifier->posted.size() == 1; }));
    EXPECT_TRUE(below.cleaner->cleanCalls().empty());
}

TEST_F(AppStateScheduledRun, AutoPurgeRunsBeforeTheNotificationWhichReportsTheScan) {
    cannedResults();
    harness.cleaner->setPurgeReleases(5'000'000'000);
    ScheduleConfig config;
    config.autoPurge = true;
    startWith(config);
    tick();
    ASSERT_TRUE(notified());
    EXPECT_EQ(harness.cleaner->purges(), 1);
    EXPECT_EQ(harness.notifier->posted[0].body, "Found 100 bytes you can clean.");
}

TEST_F(AppStateScheduledRun, NothingToScanStillNotifiesAndCleansOnlyWithoutAMinimum) {
    ScheduleConfig config;
    config.categoriesToScan = {};
    config.autoClean = true;
    config.minimumCleanSize = 0;
    config.notifyOnCompletion = true;
    AppState& state = startWith(config);
    tick();
    ASSERT_TRUE(notified());
    EXPECT_EQ(harness.notifier->posted[0].body, "Found Zero KB you can clean.");
    EXPECT_TRUE(state.categoryResults().empty());
    EXPECT_EQ(state.scanState(), ScanState::idle()); // nothing selected, so the clean had nothing to do
}

TEST_F(AppStateScheduledRun, ADueRunIsSkippedWhileAScanOrAnEarlierRunIsInFlight) {
    ScheduleConfig config;
    config.interval = ScheduleInterval::hours1;
    config.categoriesToScan = {largeFiles};
    AppState& state = startWith(config);
    harness.scanner->gate(systemJunk).close();
    state.startSmartScan();
    ASSERT_TRUE(waitUntil([&] { return harness.scanner->gate(systemJunk).hasWaiter(); }));
    test::LogCapture log;

    tick();
    test::processQueuedWork();
    const auto skipped = std::vector<std::string>{
        "Skipped a scheduled run: a scan, clean or scheduled run is still in progress"};
    EXPECT_EQ(log.messages(), skipped);
    EXPECT_EQ(log.entries()[0].level, LogLevel::info);
    EXPECT_EQ(log.entries()[0].source, "runScheduledScan()");
    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));
    EXPECT_EQ(state.categoryResults().size(), 4u); // the smart scan's results were left alone
    EXPECT_TRUE(harness.notifier->posted.empty());

    // The next due run goes ahead, and one due while it is still scanning is skipped.
    harness.scanner->gate(largeFiles).close();
    harness.clock->advance(1h);
    ASSERT_TRUE(waitUntil([&] { return harness.scanner->gate(largeFiles).hasWaiter(); }));
    test::LogCapture secondLog;
    harness.clock->advance(1h);
    test::processQueuedWork();
    EXPECT_EQ(secondLog.messages(), skipped);
    harness.scanner->gate(largeFiles).open();
    ASSERT_TRUE(notified());
    QThreadPool::globalInstance()->waitForDone();
    test::processQueuedWork();
    EXPECT_EQ(harness.notifier->posted.size(), 1u);
    auto scanned = harness.scanner->scannedCategories();
    EXPECT_EQ(std::count(scanned.begin(), scanned.end(), largeFiles), 1);
}

TEST_F(AppStateScheduledRun, AScanTheUserStartsTakesOverFromARunningScheduledScan) {
    ScheduleConfig config;
    config.categoriesToScan = {largeFiles, trashBins};
    AppState& state = startWith(config);
    harness.scanner->gate(largeFiles).close();
    tick();
    ASSERT_TRUE(waitUntil([&] { return harness.scanner->gate(largeFiles).hasWaiter(); }));

    state.startSmartScan();
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::completed(); }));
    harness.scanner->gate(largeFiles).open();
    QThreadPool::globalInstance()->waitForDone();
    test::processQueuedWork();
    EXPECT_FALSE(state.categoryResults().contains(largeFiles));
    auto scanned = harness.scanner->scannedCategories();
    EXPECT_EQ(std::count(scanned.begin(), scanned.end(), trashBins), 0);
    EXPECT_TRUE(harness.notifier->posted.empty());
}

TEST_F(AppStateScheduledRun, AFailedNotificationIsLoggedAndChangesNothingElse) {
    cannedResults();
    harness.notifier->failure = "no D-Bus session bus";
    AppState& state = startWith({});
    test::LogCapture log;
    tick();
    ASSERT_TRUE(notified());
    test::processQueuedWork();
    ASSERT_EQ(log.messages(), std::vector<std::string>{"Notification not posted: no D-Bus session bus"});
    EXPECT_EQ(log.entries()[0].source, "sendNotification(freed:)");
    EXPECT_EQ(state.totalJunkSize(), 100);
    EXPECT_EQ(state.scanState(), ScanState::idle());
}

} // namespace
} // namespace zn
