#include "Services/SchedulerService.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/FakeClock.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using namespace std::chrono_literals;

class SchedulerServiceTest : public ::testing::Test {
protected:
    test::FixtureTree tree;
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<UserDefaults> defaults =
        std::make_shared<UserDefaults>(QString::fromStdString(tree.path("settings.ini")));

    void store(const ScheduleConfig& config) {
        defaults->setData(QByteArray::fromStdString(config.encoded()), SchedulerService::kConfigKey);
    }
    std::optional<ScheduleConfig> stored() const {
        auto data = defaults->dataForKey(SchedulerService::kConfigKey);
        return data ? ScheduleConfig::decode(data->toStdString()) : std::nullopt;
    }
    std::unique_ptr<SchedulerService> load() { return std::make_unique<SchedulerService>(clock, defaults); }
};

TEST_F(SchedulerServiceTest, NothingStoredGivesTheDefaultsWithoutWriting) {
    auto scheduler = load();
    EXPECT_EQ(scheduler->config(), ScheduleConfig{});
    EXPECT_EQ(scheduler->config().minimumCleanSize, 104'857'600);
    EXPECT_FALSE(defaults->dataForKey(SchedulerService::kConfigKey));

    defaults->setData("{not json", SchedulerService::kConfigKey);
    EXPECT_EQ(load()->config(), ScheduleConfig{});
}

TEST_F(SchedulerServiceTest, ANextRunUnderAMinuteAwayIsClearedAtLoadOneFurtherIsKept) {
    ScheduleConfig config;
    config.isEnabled = true;
    config.lastRunDate = clock->now() - 24h;
    config.nextRunDate = clock->now() + 30s;
    store(config);
    auto soon = load();
    EXPECT_FALSE(soon->config().nextRunDate);
    EXPECT_FALSE(soon->config().lastRunDate);
    EXPECT_TRUE(soon->config().isEnabled);
    EXPECT_EQ(stored(), config); // loading writes nothing back

    config.nextRunDate = clock->now() - 1h; // missed while the application was not running
    store(config);
    EXPECT_FALSE(load()->config().nextRunDate);

    config.nextRunDate = clock->now() + 5min;
    store(config);
    EXPECT_EQ(load()->config(), config);
}

TEST_F(SchedulerServiceTest, EveryAssignmentIsStoredAtOnceAndStartsNothing) {
    auto scheduler = load();
    int changes = 0;
    QObject::connect(scheduler.get(), &SchedulerService::configChanged, [&] { ++changes; });
    ScheduleConfig config;
    config.isEnabled = true;
    config.interval = ScheduleInterval::weekly;
    scheduler->setConfig(config);
    EXPECT_EQ(stored(), config);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(scheduler->isCheckRunning());
    EXPECT_EQ(clock->pendingCalls(), 0u);
}

TEST_F(SchedulerServiceTest, StartArmsTheCheckOnlyForAnEnabledSchedule) {
    ScheduleConfig config;
    config.nextRunDate = clock->now() + 5min;
    store(config);
    auto disabled = load();
    disabled->start();
    EXPECT_FALSE(disabled->isCheckRunning());
    EXPECT_EQ(clock->pendingCalls(), 0u);
    EXPECT_EQ(disabled->config().nextRunDate, clock->now() + 5min);

    config = {};
    config.isEnabled = true;
    config.interval = ScheduleInterval::hours6;
    store(config);
    auto enabled = load();
    enabled->start();
    EXPECT_TRUE(enabled->isCheckRunning());
    EXPECT_EQ(enabled->config().nextRunDate, clock->now() + 6h);
    EXPECT_EQ(stored()->nextRunDate, clock->now() + 6h);

    // A second start replaces the check instead of adding one.
    enabled->start();
    EXPECT_EQ(clock->pendingCalls(), 1u);
}

TEST_F(SchedulerServiceTest, ALastRunThreeDaysAgoRunsAtTheFirstTickWithBothDatesStoredFirst) {
    ScheduleConfig config;
    config.isEnabled = true;
    Date lastRun = clock->now() - 72h;
    config.lastRunDate = lastRun;
    config.nextRunDate = clock->now() + 1h;
    store(config);
    auto scheduler = load();
    std::vector<std::optional<ScheduleConfig>> storedAtTrigger;
    scheduler->setOnTrigger([&] { storedAtTrigger.push_back(stored()); });

    scheduler->start();
    EXPECT_EQ(scheduler->config().nextRunDate, lastRun + 86'400s);
    clock->advance(59s);
    test::processQueuedWork();
    EXPECT_TRUE(storedAtTrigger.empty());

    clock->advance(1s);
    test::processQueuedWork();
    ASSERT_EQ(storedAtTrigger.size(), 1u);
    ASSERT_TRUE(storedAtTrigger[0]);
    EXPECT_EQ(storedAtTrigger[0]->lastRunDate, clock->now());
    EXPECT_EQ(storedAtTrigger[0]->nextRunDate, clock->now() + 86'400s);
    EXPECT_EQ(scheduler->config(), *storedAtTrigger[0]);

    // Not due again until a day has passed; the check keeps ticking.
    clock->advance(86'400s - 60s);
    test::processQueuedWork();
    EXPECT_EQ(storedAtTrigger.size(), 1u);
    clock->advance(60s);
    test::processQueuedWork();
    EXPECT_EQ(storedAtTrigger.size(), 2u);
}

TEST_F(SchedulerServiceTest, ASwitchedOffScheduleIsSkippedAtEachTick) {
    ScheduleConfig config;
    config.isEnabled = true;
    config.interval = ScheduleInterval::hours1;
    store(config);
    auto scheduler = load();
    int triggers = 0;
    scheduler->setOnTrigger([&] { ++triggers; });
    scheduler->start();

    config = scheduler->config();
    config.isEnabled = false;
    scheduler->setConfig(config);
    clock->advance(2h);
    test::processQueuedWork();
    EXPECT_EQ(triggers, 0);
    EXPECT_TRUE(scheduler->isCheckRunning());

    config.isEnabled = true;
    scheduler->setConfig(config);
    clock->advance(60s);
    test::processQueuedWork();
    EXPECT_EQ(triggers, 1);
}

TEST(SchedulerIntervals, LengthsInSeconds) {
    const std::vector<std::pair<ScheduleInterval, long long>> table = {
        {ScheduleInterval::hours1, 3'600},       {ScheduleInterval::hours3, 10'800},
        {ScheduleInterval::hours6, 21'600},      {ScheduleInterval::hours12, 43'200},
        {ScheduleInterval::daily, 86'400},       {ScheduleInterval::weekly, 604'800},
        {ScheduleInterval::biweekly, 1'209'600}, {ScheduleInterval::monthly, 2'592'000}};
    for (auto [interval, seconds] : table)
        EXPECT_EQ(intervalLength(interval).count(), seconds) << rawValue(interval);
}

} // namespace
} // namespace zn
