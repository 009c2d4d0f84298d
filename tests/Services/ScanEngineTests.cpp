#include "Services/ScanEngine.h"
#include "support/FakeVolumeInfo.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using test::FakeVolumeInfo;
using test::FixtureTree;

constexpr std::int64_t kMiB = 1024 * 1024;

ScanEngine engineWith(std::shared_ptr<FakeVolumeInfo> volume) {
    ScanEngineOptions options;
    options.volumeInfo = std::move(volume);
    return ScanEngine("/Users/zoe", options);
}

TEST(ScanEngine, QuickCleanHasNoScannerOfItsOwn) {
    ScanEngine engine("/zn/no/such/home", {});
    CategoryResult result = engine.scanCategory(CleaningCategory::smartScan);
    EXPECT_EQ(result.category, CleaningCategory::smartScan);
    EXPECT_TRUE(result.items.empty());
    EXPECT_EQ(result.totalSize, 0);
}

TEST(ScanEngine, EveryCategoryReachesItsOwnScanner) {
    FixtureTree tree;
    tree.file("home/.local/share/Trash/files/old.zip", 3000);
    tree.file("home/Library/Mail Downloads/invoice.pdf", 4000);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    for (CleaningCategory category : allCleaningCategories()) {
        CategoryResult result = engine.scanCategory(category);
        EXPECT_EQ(result.category, category) << rawValue(category);
        EXPECT_EQ(result.totalSize, totalSizeOf(result.items));
    }
    EXPECT_EQ(engine.scanCategory(CleaningCategory::trashBins).totalSize, 3000);
    EXPECT_EQ(engine.scanCategory(CleaningCategory::mailAttachments).totalSize, 4000);
    EXPECT_NE(engine.scanCategory(CleaningCategory::trashBins).id,
              engine.scanCategory(CleaningCategory::trashBins).id);
}

TEST(ScanEngine, DiskInfoFromTheVolume) {
    auto volume = std::make_shared<FakeVolumeInfo>();
    ScanEngine engine = engineWith(volume);
    test::LogCapture log;

    EXPECT_EQ(engine.getDiskInfo(), (DiskInfo{500'000'000'000, 120'000'000'000, 380'000'000'000, 0}));

    // Purgeable space counts only beyond 10 MiB.
    volume->capacities_.availableForImportantUsage = 120'000'000'000 + 10 * kMiB;
    EXPECT_EQ(engine.getDiskInfo().purgeableSpace, 0);
    volume->capacities_.availableForImportantUsage = 120'000'000'000 + 10 * kMiB + 1;
    EXPECT_EQ(engine.getDiskInfo().purgeableSpace, 10 * kMiB + 1);
    volume->capacities_.availableForImportantUsage = 100'000'000'000;
    EXPECT_EQ(engine.getDiskInfo().purgeableSpace, 0);
    volume->capacities_.availableForImportantUsage = 130'000'000'000;
    volume->capacities_.available.reset();
    EXPECT_EQ(engine.getDiskInfo().purgeableSpace, 0);

    // A missing figure reads as 0.
    volume->size.freeBytes.reset();
    EXPECT_EQ(engine.getDiskInfo(), (DiskInfo{500'000'000'000, 0, 500'000'000'000, 0}));
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEngine, DiskInfoFailuresAreLogged) {
    auto volume = std::make_shared<FakeVolumeInfo>();
    volume->capacities_ = {false, "Input/output error", std::nullopt, std::nullopt};
    ScanEngine engine = engineWith(volume);
    test::LogCapture log;

    EXPECT_EQ(engine.getDiskInfo(), (DiskInfo{500'000'000'000, 120'000'000'000, 380'000'000'000, 0}));
    volume->size = {false, "Permission denied", std::nullopt, std::nullopt};
    EXPECT_EQ(engine.getDiskInfo(), DiskInfo{});

    auto entries = log.entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].message, "Disk info unavailable: Input/output error");
    EXPECT_EQ(entries[1].message, "Disk info unavailable: Permission denied");
    for (const auto& entry : entries) {
        EXPECT_EQ(entry.level, LogLevel::warning);
        EXPECT_EQ(entry.source, "getDiskInfo()");
    }
}

TEST(ScanEngine, RealVolumeHasNoPurgeableSpace) {
    ScanEngine engine("/zn/no/such/home", {});
    DiskInfo info = engine.getDiskInfo();
    EXPECT_GT(info.totalSpace, 0);
    EXPECT_LE(info.freeSpace, info.totalSpace);
    EXPECT_EQ(info.usedSpace, info.totalSpace - info.freeSpace);
    EXPECT_EQ(info.purgeableSpace, 0);
}

} // namespace
} // namespace zn
