#include "Models/CleaningCategory.h"
#include "Models/RawValueLookup.h"

#include <nlohmann/json.hpp>

namespace zn {

namespace {

struct CategoryRow {
    std::string_view rawValue;
    std::string_view displayName;
    std::string_view icon;
    CleaningSafetyGroup safetyGroup;
    RgbColor light;
    RgbColor dark;
    std::string_view description;
};

using enum CleaningSafetyGroup;

// One row per category, indexed by the category's declaration order.
constexpr std::array<CategoryRow, kCleaningCategoryCount> kRows{{
    {"Quick Clean", "Quick Clean", "sparkles", safeToClean, Tint::blue, Tint::darkBlue,
     "Find safe files you can remove first. No technical sorting needed."},
    {"System Cleanup", "Mac Cleanup", "gearshape.fill", safeToClean, Tint::blue, Tint::darkBlue,
     "Everyday Mac files that can be rebuilt when needed."},
    {"App Leftovers", "App Cleanup", "app.badge", safeToClean, Tint::slate, Tint::slate,
     "Extra files apps leave behind while you use them."},
    {"Privacy Sweep", "Browser Privacy", "eye.slash.fill", reviewFirst, Tint::blue, Tint::darkBlue,
     "Clear browser history, downloads, and website traces from Safari, Chrome, and Edge."},
    {"AI Apps", "AI App Files", "cpu.fill", advanced, Tint::green, Tint::green,
     "Extra files from AI chat and writing apps. Review before cleaning."},
    {"Mail Downloads", "Mail Downloads", "envelope.fill", reviewFirst, Tint::blue, Tint::darkGold,
     "Email downloads saved on your Mac. Review before cleaning."},
    {"Trash", "Trash", "trash.fill", reviewFirst, Tint::red, Tint::red,
     "Files already moved to Trash. Review before emptying."},
    {"Large Files", "Large Files", "doc.fill", reviewFirst, Tint::slate, Tint::darkGold,
     "Big or old personal files. Nothing is selected until you choose it."},
    {"Mac-managed Space", "Mac-managed Space", "arrow.3.trianglepath", safeToClean, Tint::green, Tint::green,
     "Space your Mac says it can make available when needed."},
    {"Xcode Cleanup", "Coding App Files", "hammer.fill", advanced, Tint::cyan, Tint::darkCyan,
     "Large files left by Apple's coding app. Review before cleaning."},
    {"Homebrew Cache", "Coding Downloads", "mug.fill", advanced, Tint::blue, Tint::darkBlue,
     "Old downloads from coding tools. Review before cleaning."},
    {"Node.js Cache", "Web Coding Files", "leaf.fill", advanced, Tint::green, Tint::darkGold,
     "Extra files from web coding tools. Review before cleaning."},
    {"Docker Cleanup", "Docker Files", "shippingbox.fill", advanced, Tint::blue, Tint::darkBlue,
     "Large files from Docker. Review before cleaning."},
}};

const CategoryRow& row(CleaningCategory category) {
    return kRows[static_cast<std::size_t>(category)];
}

constexpr std::array<std::string_view, 3> kGroupRawValues{"Safe cleanup", "Review first", "Extra cleanup"};

} // namespace

std::string_view rawValue(CleaningCategory category) {
    return row(category).rawValue;
}
std::string_view displayName(CleaningCategory category) {
    return row(category).displayName;
}
std::string_view icon(CleaningCategory category) {
    return row(category).icon;
}
std::string_view description(CleaningCategory category) {
    return row(category).description;
}
CleaningSafetyGroup safetyGroup(CleaningCategory category) {
    return row(category).safetyGroup;
}

RgbColor color(CleaningCategory category, ColorScheme scheme) {
    return scheme == ColorScheme::dark ? row(category).dark : row(category).light;
}

std::optional<CleaningCategory> cleaningCategoryFromRawValue(std::string_view text) {
    return enumFromRawValue<CleaningCategory>(kRows, text,
                                              [](const CategoryRow& row) { return row.rawValue; });
}

const std::array<CleaningCategory, kCleaningCategoryCount>& allCleaningCategories() {
    using enum CleaningCategory;
    static constexpr std::array<CleaningCategory, kCleaningCategoryCount> all{
        smartScan,  systemJunk,     userCache, privacySweep, aiApps,    mailAttachments, trashBins,
        largeFiles, purgeableSpace, xcodeJunk, brewCache,    nodeCache, dockerCache};
    return all;
}

const std::array<CleaningCategory, 12>& scannableCategories() {
    using enum CleaningCategory;
    static constexpr std::array<CleaningCategory, 12> scannable{
        systemJunk, userCache, purgeableSpace, privacySweep, mailAttachments, trashBins,
        largeFiles, aiApps,    xcodeJunk,      brewCache,    nodeCache,       dockerCache};
    return scannable;
}

std::string_view rawValue(CleaningSafetyGroup group) {
    return kGroupRawValues[static_cast<std::size_t>(group)];
}

std::optional<CleaningSafetyGroup> cleaningSafetyGroupFromRawValue(std::string_view text) {
    return enumFromRawValue<CleaningSafetyGroup>(kGroupRawValues, text);
}

void to_json(nlohmann::json& json, CleaningCategory category) {
    json = std::string(rawValue(category));
}

void from_json(const nlohmann::json& json, CleaningCategory& category) {
    auto parsed = cleaningCategoryFromRawValue(json.get_ref<const std::string&>());
    if (!parsed)
        throw nlohmann::json::other_error::create(
            501, "unknown cleaning category: " + json.get<std::string>(), &json);
    category = *parsed;
}

} // namespace zn
