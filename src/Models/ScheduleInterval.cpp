#include "Models/ScheduleInterval.h"
#include "Models/RawValueLookup.h"

#include <nlohmann/json.hpp>

namespace zn {

namespace {
constexpr std::array<std::string_view, 8> kRawValues{"Every Hour",     "Every 3 Hours", "Every 6 Hours",
                                                     "Every 12 Hours", "Daily",         "Weekly",
                                                     "Every 2 Weeks",  "Monthly"};
}

std::string_view rawValue(ScheduleInterval interval) {
    return kRawValues[static_cast<std::size_t>(interval)];
}

std::optional<ScheduleInterval> scheduleIntervalFromRawValue(std::string_view text) {
    return enumFromRawValue<ScheduleInterval>(kRawValues, text);
}

const std::array<ScheduleInterval, 8>& allScheduleIntervals() {
    using enum ScheduleInterval;
    static constexpr std::array<ScheduleInterval, 8> all{hours1, hours3, hours6,   hours12,
                                                         daily,  weekly, biweekly, monthly};
    return all;
}

void to_json(nlohmann::json& json, ScheduleInterval interval) {
    json = std::string(rawValue(interval));
}

void from_json(const nlohmann::json& json, ScheduleInterval& interval) {
    auto parsed = scheduleIntervalFromRawValue(json.get_ref<const std::string&>());
    if (!parsed)
        throw nlohmann::json::other_error::create(
            501, "unknown schedule interval: " + json.get<std::string>(), &json);
    interval = *parsed;
}

} // namespace zn
