#pragma once

#include <array>
#include <optional>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

namespace zn {

enum class ScheduleInterval { hours1, hours3, hours6, hours12, daily, weekly, biweekly, monthly };

std::string_view rawValue(ScheduleInterval interval);
std::optional<ScheduleInterval> scheduleIntervalFromRawValue(std::string_view text);
const std::array<ScheduleInterval, 8>& allScheduleIntervals();

void to_json(nlohmann::json& json, ScheduleInterval interval);
void from_json(const nlohmann::json& json, ScheduleInterval& interval);

} // namespace zn
