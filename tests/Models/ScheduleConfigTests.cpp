#include "Models/ScheduleConfig.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace zn {
namespace {

using nlohmann::json;

json defaultJson() { return ScheduleConfig{}.toJson(); }

TEST(ScheduleConfig, DefaultEncodesSevenKeys) {
    json encoded = defaultJson();
    EXPECT_EQ(encoded.size(), 7u);
    EXPECT_FALSE(encoded.contains("lastRunDate"));
    EXPECT_FALSE(encoded.contains("nextRunDate"));
    EXPECT_EQ(encoded["interval"], "Daily");
    EXPECT_EQ(encoded["notifyOnCompletion"], true);
    EXPECT_EQ(encoded["minimumCleanSize"], 104857600);
    EXPECT_TRUE(encoded["minimumCleanSize"].is_number_integer());
    EXPECT_EQ(encoded["categoriesToScan"],
              json({"System Cleanup", "App Leftovers", "Mac-managed Space", "Privacy Sweep"}));
    EXPECT_EQ(encoded["isEnabled"], false);
    EXPECT_EQ(encoded["autoClean"], false);
    EXPECT_EQ(encoded["autoPurge"], false);
    EXPECT_EQ(ScheduleConfig::decode(ScheduleConfig{}.encoded()), ScheduleConfig{});
}

TEST(ScheduleConfig, DatesUseThe2001EpochAndRoundTrip) {
    ScheduleConfig config;
    config.lastRunDate = dateFromTimeIntervalSinceReferenceDate(0);
    config.nextRunDate = dateFromTimeIntervalSinceReferenceDate(786000000.25);
    json encoded = config.toJson();
    EXPECT_EQ(encoded["lastRunDate"].get<double>(), 0.0);
    EXPECT_EQ(std::chrono::system_clock::to_time_t(*config.lastRunDate), 978307200);

    auto decoded = ScheduleConfig::decode(encoded.dump());
    ASSERT_TRUE(decoded);
    EXPECT_DOUBLE_EQ(timeIntervalSinceReferenceDate(*decoded->nextRunDate), 786000000.25);
    EXPECT_EQ(*decoded, config);
}

TEST(ScheduleConfig, StrictDecoding) {
    json missing = defaultJson();
    missing.erase("minimumCleanSize");
    EXPECT_FALSE(ScheduleConfig::fromJson(missing));

    json nullDate = defaultJson();
    nullDate["lastRunDate"] = nullptr;
    auto decoded = ScheduleConfig::fromJson(nullDate);
    ASSERT_TRUE(decoded);
    EXPECT_FALSE(decoded->lastRunDate);

    json quick = defaultJson();
    quick["categoriesToScan"] = json({"Quick Clean"});
    decoded = ScheduleConfig::fromJson(quick);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->categoriesToScan, std::vector<CleaningCategory>{CleaningCategory::smartScan});
    quick["categoriesToScan"] = json({"quick clean"});
    EXPECT_FALSE(ScheduleConfig::fromJson(quick));

    json extra = defaultJson();
    extra["somethingNew"] = 42;
    EXPECT_TRUE(ScheduleConfig::fromJson(extra));

    auto failsWith = [](const char* key, json value) {
        json object = defaultJson();
        object[key] = std::move(value);
        return !ScheduleConfig::fromJson(object).has_value();
    };
    EXPECT_TRUE(failsWith("interval", "daily"));
    EXPECT_TRUE(failsWith("interval", 4));
    EXPECT_TRUE(failsWith("isEnabled", 1));
    EXPECT_TRUE(failsWith("autoClean", "true"));
    EXPECT_TRUE(failsWith("minimumCleanSize", 1.5));
    EXPECT_TRUE(failsWith("minimumCleanSize", true));
    EXPECT_TRUE(failsWith("minimumCleanSize", 18446744073709551615ULL));
    EXPECT_TRUE(failsWith("categoriesToScan", "System Cleanup"));
    EXPECT_TRUE(failsWith("lastRunDate", "yesterday"));

    EXPECT_FALSE(ScheduleConfig::decode("not json"));
    EXPECT_FALSE(ScheduleConfig::decode("[]"));
}

TEST(ScheduleConfig, FormattedLastRun) {
    const Date now = dateFromTimeIntervalSinceReferenceDate(800000000);
    ScheduleConfig config;
    EXPECT_EQ(config.formattedLastRun(now), "Never");
}

TEST(ScheduleInterval, RawValues) {
    EXPECT_EQ(allScheduleIntervals().size(), 8u);
    EXPECT_EQ(rawValue(ScheduleInterval::biweekly), "Every 2 Weeks");
    EXPECT_EQ(scheduleIntervalFromRawValue("Every Hour"), ScheduleInterval::hours1);
    EXPECT_EQ(scheduleIntervalFromRawValue("every hour"), std::nullopt);
}

} // namespace
} // namespace zn
