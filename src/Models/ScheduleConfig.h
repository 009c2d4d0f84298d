#pragma once

#include "Models/CleaningCategory.h"
#include "Models/Date.h"
#include "Models/ScheduleInterval.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace zn {

// The schedule settings, stored as JSON by the scheduler.
struct ScheduleConfig {
    bool isEnabled = false;
    ScheduleInterval interval = ScheduleInterval::daily;
    bool autoClean = false;
    bool autoPurge = false;
    std::vector<CleaningCategory> categoriesToScan{CleaningCategory::systemJunk, CleaningCategory::userCache,
                                                   CleaningCategory::purgeableSpace,
                                                   CleaningCategory::privacySweep};
    std::optional<Date> lastRunDate;
    std::optional<Date> nextRunDate;
    bool notifyOnCompletion = true;
    std::int64_t minimumCleanSize = 104'857'600; // 100 MiB

    bool operator==(const ScheduleConfig&) const = default;

    // Keys are the field names; dates are seconds since 2001-01-01 UTC and left out when absent.
    nlohmann::json toJson() const;
    std::string encoded() const;
    // Strict: a missing required key, a wrong JSON type or an unknown interval or category fails the whole
    // decode. Unknown keys are ignored; absent or null dates are none.
    static std::optional<ScheduleConfig> fromJson(const nlohmann::json& json);
    static std::optional<ScheduleConfig> decode(const std::string& text);

    // "Never", or the abbreviated relative time of the last run ("2 hr. ago").
    std::string formattedLastRun(Date now) const;
};

} // namespace zn
