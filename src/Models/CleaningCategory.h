#pragma once

#include "Models/Tint.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

namespace zn {

// Declaration order is fixed: it is the order of allCleaningCategories().
enum class CleaningCategory {
    smartScan,
    systemJunk,
    userCache,
    privacySweep,
    aiApps,
    mailAttachments,
    trashBins,
    largeFiles,
    purgeableSpace,
    xcodeJunk,
    brewCache,
    nodeCache,
    dockerCache,
};

enum class CleaningSafetyGroup { safeToClean, reviewFirst, advanced };

inline constexpr std::size_t kCleaningCategoryCount = 13;

// The raw value is the stable identifier and English title (printed by the command line, stored in settings).
std::string_view rawValue(CleaningCategory category);
std::string_view displayName(CleaningCategory category);
std::string_view icon(CleaningCategory category);
std::string_view description(CleaningCategory category);
RgbColor color(CleaningCategory category, ColorScheme scheme);
CleaningSafetyGroup safetyGroup(CleaningCategory category);
// Exact match of one of the thirteen raw values (case and spaces count).
std::optional<CleaningCategory> cleaningCategoryFromRawValue(std::string_view text);

const std::array<CleaningCategory, kCleaningCategoryCount>& allCleaningCategories();
// The twelve categories with a scanner: Quick Clean's four, the personal-file three, the coding and AI five.
const std::array<CleaningCategory, 12>& scannableCategories();

std::string_view rawValue(CleaningSafetyGroup group);
std::optional<CleaningSafetyGroup> cleaningSafetyGroupFromRawValue(std::string_view text);

// JSON form: the raw value as one string; decoding any other text throws nlohmann::json::exception.
void to_json(nlohmann::json& json, CleaningCategory category);
void from_json(const nlohmann::json& json, CleaningCategory& category);

} // namespace zn
