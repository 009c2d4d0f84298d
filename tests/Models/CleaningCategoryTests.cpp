#include "Models/CleanableItem.h"
#include "Models/CleaningCategory.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unordered_set>

namespace zn {
namespace {

TEST(CleaningCategory, RawValueLookupIsExact) {
    EXPECT_EQ(cleaningCategoryFromRawValue("Quick Clean"), CleaningCategory::smartScan);
    EXPECT_EQ(cleaningCategoryFromRawValue("quick clean"), std::nullopt);
    EXPECT_EQ(cleaningCategoryFromRawValue("Quick  Clean"), std::nullopt);
    EXPECT_EQ(cleaningCategoryFromRawValue(""), std::nullopt);
    // A display name is not a raw value.
    EXPECT_EQ(cleaningCategoryFromRawValue("App Cleanup"), std::nullopt);
    for (auto category : allCleaningCategories())
        EXPECT_EQ(cleaningCategoryFromRawValue(rawValue(category)), category);
}

TEST(CleaningCategory, JsonDecodingAcceptsRawValuesOnly) {
    EXPECT_EQ(nlohmann::json("App Leftovers").get<CleaningCategory>(), CleaningCategory::userCache);
    EXPECT_THROW(nlohmann::json("App Cleanup").get<CleaningCategory>(), nlohmann::json::exception);
    EXPECT_THROW(nlohmann::json(3).get<CleaningCategory>(), nlohmann::json::exception);
    EXPECT_EQ(nlohmann::json(CleaningCategory::nodeCache), nlohmann::json("Node.js Cache"));
}

TEST(CleaningCategory, ScannableOrderAndMembership) {
    const auto& scannable = scannableCategories();
    ASSERT_EQ(scannable.size(), 12u);
    EXPECT_EQ(std::count(scannable.begin(), scannable.end(), CleaningCategory::smartScan), 0);
    const std::vector<CleaningCategory> expected{
        CleaningCategory::systemJunk,   CleaningCategory::userCache,       CleaningCategory::purgeableSpace,
        CleaningCategory::privacySweep, CleaningCategory::mailAttachments, CleaningCategory::trashBins,
        CleaningCategory::largeFiles,   CleaningCategory::aiApps,          CleaningCategory::xcodeJunk,
        CleaningCategory::brewCache,    CleaningCategory::nodeCache,       CleaningCategory::dockerCache};
    EXPECT_EQ(std::vector<CleaningCategory>(scannable.begin(), scannable.end()), expected);
    EXPECT_EQ(allCleaningCategories().front(), CleaningCategory::smartScan);
    EXPECT_EQ(allCleaningCategories().back(), CleaningCategory::dockerCache);
}

TEST(CleaningCategory, TextsAndGroups) {
    EXPECT_EQ(displayName(CleaningCategory::systemJunk), "Mac Cleanup");
    EXPECT_EQ(rawValue(CleaningCategory::systemJunk), "System Cleanup");
    EXPECT_EQ(icon(CleaningCategory::purgeableSpace), "arrow.3.trianglepath");
    EXPECT_EQ(description(CleaningCategory::xcodeJunk),
              "Large files left by Apple's coding app. Review before cleaning.");
    EXPECT_EQ(safetyGroup(CleaningCategory::privacySweep), CleaningSafetyGroup::reviewFirst);
    EXPECT_EQ(safetyGroup(CleaningCategory::purgeableSpace), CleaningSafetyGroup::safeToClean);
    EXPECT_EQ(safetyGroup(CleaningCategory::aiApps), CleaningSafetyGroup::advanced);
    int differing = 0;
    for (auto category : allCleaningCategories())
        differing += rawValue(category) != displayName(category);
    EXPECT_EQ(differing, 8);

    EXPECT_EQ(rawValue(CleaningSafetyGroup::advanced), "Extra cleanup");
    EXPECT_EQ(cleaningSafetyGroupFromRawValue("Review first"), CleaningSafetyGroup::reviewFirst);
    EXPECT_EQ(cleaningSafetyGroupFromRawValue("review first"), std::nullopt);
}

TEST(CleaningCategory, ColoursPerScheme) {
    EXPECT_EQ(color(CleaningCategory::largeFiles, ColorScheme::light), Tint::slate);
    EXPECT_EQ(color(CleaningCategory::largeFiles, ColorScheme::dark), Tint::darkGold);
    EXPECT_EQ(color(CleaningCategory::userCache, ColorScheme::light), Tint::slate);
    EXPECT_EQ(color(CleaningCategory::userCache, ColorScheme::dark), Tint::slate);
    EXPECT_EQ(color(CleaningCategory::mailAttachments, ColorScheme::light), Tint::blue);
    EXPECT_EQ(color(CleaningCategory::nodeCache, ColorScheme::light), Tint::green);
    EXPECT_EQ(color(CleaningCategory::nodeCache, ColorScheme::dark), Tint::darkGold);
    EXPECT_EQ(color(CleaningCategory::xcodeJunk, ColorScheme::dark), Tint::darkCyan);
    EXPECT_EQ(color(CleaningCategory::dockerCache, ColorScheme::dark), Tint::darkBlue);
}

TEST(CleanableItem, IdentityIsTheIdAlone) {
    CleanableItem a{Uuid::random(), "Caches", "/home/x/Library/Caches", 2048, CleaningCategory::userCache, true, {}};
    CleanableItem b = a;
    b.id = Uuid::random();
    EXPECT_NE(a, b);

    CleanableItem flipped = a;
    flipped.isSelected = !a.isSelected;
    flipped.size = 1;
    EXPECT_EQ(a, flipped);
    EXPECT_EQ(std::hash<CleanableItem>{}(a), std::hash<CleanableItem>{}(flipped));
    std::unordered_set<CleanableItem> set{a, b, flipped};
    EXPECT_EQ(set.size(), 2u);
}

TEST(CategoryResult, TotalsSaturate) {
    CategoryResult empty{Uuid::random(), CleaningCategory::trashBins, {}, 0};
    EXPECT_EQ(totalSizeOf(empty.items), 0);
    std::vector<CleanableItem> items(3);
    for (auto& item : items)
        item.size = std::numeric_limits<std::int64_t>::max() / 2;
    EXPECT_EQ(totalSizeOf(items), std::numeric_limits<std::int64_t>::max());
}

TEST(Uuid, RandomVersion4Text) {
    Uuid a = Uuid::random(), b = Uuid::random();
    EXPECT_NE(a, b);
    std::string text = a.uuidString();
    ASSERT_EQ(text.size(), 36u);
    EXPECT_EQ(text[14], '4');
    EXPECT_NE(std::string("89AB").find(text[19]), std::string::npos);
    EXPECT_EQ(text[8], '-');
}

} // namespace
} // namespace zn
