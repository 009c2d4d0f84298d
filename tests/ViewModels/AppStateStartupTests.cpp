#include "appsupport/AppStateHarness.h"

#include <QThreadPool>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::waitUntil;

void storeEnabledSchedule(UserDefaults& defaults) {
    ScheduleConfig config;
    config.isEnabled = true;
    defaults.setData(QByteArray::fromStdString(config.encoded()), SchedulerService::kConfigKey);
}

TEST(AppStateStartup, WithoutStartupTasksNothingIsLoaded) {
    test::AppStateHarness harness;
    harness.defaults->setBool(true, "ZelvaNexal.OnboardingComplete");
    storeEnabledSchedule(*harness.defaults);
    AppState& state = harness.makeState(false);
    test::processQueuedWork();

    EXPECT_EQ(state.scanState(), ScanState::idle());
    EXPECT_FALSE(state.isLoadingApps());
    EXPECT_TRUE(state.hasFullDiskAccess());
    EXPECT_EQ(state.diskInfo(), DiskInfo{});
    EXPECT_EQ(state.currentScanCategory(), "");
    EXPECT_FALSE(state.lastCleanedDate());
    EXPECT_FALSE(state.scheduler().isCheckRunning());
    EXPECT_EQ(harness.scanner->diskInfoReads(), 0);
}

TEST(AppStateStartup, LoadsDiskAccessAndAppsButStartsTheSchedulerOnlyAfterOnboarding) {
    test::AppStateHarness harness;
    harness.scanner->setDiskInfo({500, 200, 300, 0});
    storeEnabledSchedule(*harness.defaults);
    harness.fullDiskAccess->store(false);
    harness.installedApps->set(
        {{Uuid::random(), "Notes", "com.example.notes", "/Applications/Notes.app", 9}});
    AppState& state = harness.makeState(true);
    EXPECT_TRUE(state.isLoadingApps());

    ASSERT_TRUE(waitUntil([&] { return !state.isLoadingApps(); }));
    ASSERT_TRUE(waitUntil([&] { return state.diskInfo().totalSpace == 500 && !state.hasFullDiskAccess(); }));
    ASSERT_EQ(state.installedApps().size(), 1u);
    EXPECT_EQ(state.installedApps()[0].appName, "Notes");
    EXPECT_FALSE(state.scheduler().isCheckRunning());

    test::AppStateHarness onboarded;
    onboarded.defaults->setBool(true, "ZelvaNexal.OnboardingComplete");
    storeEnabledSchedule(*onboarded.defaults);
    EXPECT_TRUE(onboarded.makeState(true).scheduler().isCheckRunning());
}

TEST(AppStateStartup, OverlappingAppListLoadsKeepTheNewest) {
    test::AppStateHarness harness;
    InstalledApp old{Uuid::random(), "Old", "com.example.old", "/Applications/Old.app", 1};
    InstalledApp current{Uuid::random(), "New", "com.example.new", "/Applications/New.app", 1};
    harness.installedApps->set({old});
    harness.installedApps->holdNextFetch(false); // between two points where it could stop
    AppState& state = harness.makeState(true);
    ASSERT_TRUE(waitUntil([&] { return harness.installedApps->gate().hasWaiter(); }));

    harness.installedApps->set({current});
    state.loadInstalledApps(); // the "Rescan apps" button
    ASSERT_TRUE(waitUntil([&] { return !state.isLoadingApps(); }));
    EXPECT_EQ(state.installedApps(), std::vector<InstalledApp>{current});

    // The start-up load answers last, with the stale list: it is dropped.
    harness.installedApps->gate().open();
    QThreadPool::globalInstance()->waitForDone();
    test::processQueuedWork();
    EXPECT_EQ(state.installedApps(), std::vector<InstalledApp>{current});
    EXPECT_FALSE(state.isLoadingApps());
}

TEST(AppStateStartup, ARescanStopsTheAppListLoadInFlight) {
    test::AppStateHarness harness;
    InstalledApp current{Uuid::random(), "New", "com.example.new", "/Applications/New.app", 1};
    harness.installedApps->holdNextFetch();
    AppState& state = harness.makeState(true);
    ASSERT_TRUE(waitUntil([&] { return harness.installedApps->gate().hasWaiter(); }));

    harness.installedApps->set({current});
    state.loadInstalledApps(); // the "Rescan apps" button
    // The start-up load ends although its gate stays shut: one load runs, not two.
    ASSERT_TRUE(waitUntil([&] { return harness.installedApps->stoppedFetches() == 1; }));
    EXPECT_TRUE(QThreadPool::globalInstance()->waitForDone(10'000));
    test::processQueuedWork();
    EXPECT_EQ(state.installedApps(), std::vector<InstalledApp>{current});
    EXPECT_FALSE(state.isLoadingApps());
}

} // namespace
} // namespace zn
