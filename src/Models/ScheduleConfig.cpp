#include "Models/ScheduleConfig.h"

#include "Platform/core/RelativeDateFormatter.h"

#include <limits>
#include <nlohmann/json.hpp>

namespace zn {

namespace {

using nlohmann::json;

struct DecodeError {};

const json& required(const json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end())
        throw DecodeError{};
    return *found;
}

bool boolean(const json& object, const char* key) {
    const json& value = required(object, key);
    if (!value.is_boolean())
        throw DecodeError{};
    return value.get<bool>();
}

std::int64_t integer(const json& object, const char* key) {
    const json& value = required(object, key);
    if (value.is_number_unsigned() &&
        value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        throw DecodeError{};
    if (!value.is_number_integer())
        throw DecodeError{};
    return value.get<std::int64_t>();
}

std::optional<Date> optionalDate(const json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end() || found->is_null())
        return std::nullopt;
    if (!found->is_number())
        throw DecodeError{};
    return dateFromTimeIntervalSinceReferenceDate(found->get<double>());
}

template <typename Enum, typename Parse> Enum enumValue(const json& value, Parse parse) {
    if (!value.is_string())
        throw DecodeError{};
    auto parsed = parse(value.get_ref<const std::string&>());
    if (!parsed)
        throw DecodeError{};
    return *parsed;
}

} // namespace

json ScheduleConfig::toJson() const {
    json object = json::object();
    object["isEnabled"] = isEnabled;
    object["interval"] = interval;
    object["autoClean"] = autoClean;
    object["autoPurge"] = autoPurge;
    object["categoriesToScan"] = json::array();
    for (auto category : categoriesToScan)
        object["categoriesToScan"].push_back(category);
    if (lastRunDate)
        object["lastRunDate"] = timeIntervalSinceReferenceDate(*lastRunDate);
    if (nextRunDate)
        object["nextRunDate"] = timeIntervalSinceReferenceDate(*nextRunDate);
    object["notifyOnCompletion"] = notifyOnCompletion;
    object["minimumCleanSize"] = minimumCleanSize;
    return object;
}

std::string ScheduleConfig::encoded() const {
    return toJson().dump();
}

std::optional<ScheduleConfig> ScheduleConfig::fromJson(const json& object) {
    if (!object.is_object())
        return std::nullopt;
    try {
        ScheduleConfig config;
        config.isEnabled = boolean(object, "isEnabled");
        config.interval =
            enumValue<ScheduleInterval>(required(object, "interval"), scheduleIntervalFromRawValue);
        config.autoClean = boolean(object, "autoClean");
        config.autoPurge = boolean(object, "autoPurge");
        const json& categories = required(object, "categoriesToScan");
        if (!categories.is_array())
            throw DecodeError{};
        config.categoriesToScan.clear();
        for (const auto& category : categories)
            config.categoriesToScan.push_back(
                enumValue<CleaningCategory>(category, cleaningCategoryFromRawValue));
        config.lastRunDate = optionalDate(object, "lastRunDate");
        config.nextRunDate = optionalDate(object, "nextRunDate");
        config.notifyOnCompletion = boolean(object, "notifyOnCompletion");
        config.minimumCleanSize = integer(object, "minimumCleanSize");
        return config;
    } catch (const DecodeError&) {
        return std::nullopt;
    }
}

std::optional<ScheduleConfig> ScheduleConfig::decode(const std::string& text) {
    json parsed = json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (parsed.is_discarded())
        return std::nullopt;
    return fromJson(parsed);
}

std::string ScheduleConfig::formattedLastRun(Date now) const {
    if (!lastRunDate)
        return "Never";
    return abbreviatedRelativeTime(*lastRunDate, now);
}

} // namespace zn
