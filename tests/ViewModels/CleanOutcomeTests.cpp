#include "ViewModels/AppSection.h"
#include "ViewModels/CleanOutcome.h"
#include "appsupport/AppStateHarness.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using test::makeItem;

TEST(CleanOutcome, AdministratorPassMergesAfterTheEngine) {
    auto deferred = makeItem(systemJunk, "/deferred", 5, true);
    CleaningResult engine{100, 2, {"engine error"}, {"/a", "/b"}, {deferred}};
    CleaningResult administrator{5, 1, {"admin survivor"}, {"/deferred"}, {deferred}};
    CleaningResult merged = mergedWithAdministratorPass(engine, administrator);
    EXPECT_EQ(merged.freedSpace, 105);
    EXPECT_EQ(merged.deletedCount, 3);
    EXPECT_EQ(merged.errors, (std::vector<std::string>{"engine error", "admin survivor"}));
    EXPECT_EQ(merged.deletedPaths, (std::set<std::string>{"/a", "/b", "/deferred"}));
    EXPECT_TRUE(merged.deferredToAdmin.empty());
}

TEST(CleanOutcome, PruningKeepsOrderAndLowersTheTotal) {
    auto a = makeItem(dockerCache, "/a", 10, true);
    auto b = makeItem(dockerCache, "/b", 20, true);
    auto reclaimable = makeItem(dockerCache, "docker://reclaimable", 400, false);
    CategoryResult result{Uuid::random(), dockerCache, {a, b, reclaimable}, 430};
    auto remaining = withoutRemovedItems(result, PathLookup(std::set<std::string>{"/a"}));
    ASSERT_TRUE(remaining);
    EXPECT_NE(remaining->id, result.id);
    EXPECT_EQ(remaining->items, (std::vector<CleanableItem>{b, reclaimable}));
    EXPECT_EQ(remaining->totalSize, 420);
    EXPECT_FALSE(withoutRemovedItems(result, PathLookup(std::set<std::string>{"/a", "/b", "docker://reclaimable"})));
}

TEST(AppSection, EqualByCaseAndCategory) {
    EXPECT_EQ(AppSection::cleaning(largeFiles), AppSection::cleaning(largeFiles));
    EXPECT_NE(AppSection::cleaning(largeFiles), AppSection::cleaning(trashBins));
    EXPECT_NE(AppSection::apps(), AppSection::orphans());
    EXPECT_EQ(std::hash<AppSection>{}(AppSection::apps()), std::hash<AppSection>{}(AppSection::apps()));
    EXPECT_NE(std::hash<AppSection>{}(AppSection::cleaning(smartScan)),
              std::hash<AppSection>{}(AppSection::apps()));
}

} // namespace
} // namespace zn
