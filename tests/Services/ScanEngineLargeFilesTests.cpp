#include "Platform/core/DateStyleFormatter.h"
#include "Services/ScanEngine.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"
#include "support/ResultQueries.h"

#include <ctime>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::FixtureTree;
using test::namesOf;

constexpr std::int64_t kMiB = 1024 * 1024;
constexpr std::int64_t kMB = 1'000'000;
constexpr std::time_t kDay = 24 * 60 * 60;

// Seconds since the epoch of a local wall-clock time.
std::time_t localTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

TEST(ScanEngineLargeFiles, BigFilesAnyAgeOldFilesAboveTenMebibytes) {
    FixtureTree tree;
    const std::time_t now = std::time(nullptr);
    tree.file("home/Downloads/video.mp4", 150 * kMB);
    tree.file("home/Downloads/Tool.app/Contents/Resources/big.bin", 200 * kMB);
    tree.file("home/Downloads/Old.FRAMEWORK/big.bin", 200 * kMB);
    tree.file("home/Documents/.hidden/big.bin", 200 * kMB);
    tree.file("home/Documents/.big-hidden.bin", 200 * kMB);
    tree.file("home/Documents/exact.bin", 100 * kMiB);
    tree.file("home/Documents/Projects/deep/old.bin", 50 * kMB);
    tree.setModificationTime("home/Documents/Projects/deep/old.bin", now - 2 * 365 * kDay);
    tree.file("home/Documents/recent.bin", 50 * kMB);
    tree.setModificationTime("home/Documents/recent.bin", now - 30 * kDay);
    tree.file("home/Desktop/ancient-small.bin", 5 * kMB);
    tree.setModificationTime("home/Desktop/ancient-small.bin", now - 10 * 365 * kDay);
    tree.file("home/Desktop/exact-old.bin", 10 * kMiB);
    tree.setModificationTime("home/Desktop/exact-old.bin", now - 2 * 365 * kDay);
    tree.file("home/Desktop/exact-large-old.bin", 100 * kMiB);
    tree.setModificationTime("home/Desktop/exact-large-old.bin", now - 2 * 365 * kDay);
    tree.symlink("home/Desktop/link-to-video", tree.path("home/Downloads/video.mp4"));
    tree.file("home/Movies/film.mov", 900 * kMB);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    CategoryResult result = engine.scanLargeFiles();
    EXPECT_EQ(result.category, CleaningCategory::largeFiles);
    EXPECT_EQ(namesOf(result), (std::vector<std::string>{"video.mp4", "exact-large-old.bin", "old.bin"}));
    EXPECT_EQ(result.items[0].path, tree.path("home/Downloads/video.mp4"));
    EXPECT_EQ(result.items[2].path, tree.path("home/Documents/Projects/deep/old.bin"));
    EXPECT_EQ(result.items[2].lastModified, std::chrono::system_clock::from_time_t(now - 2 * 365 * kDay));
    EXPECT_EQ(result.totalSize, 150 * kMB + 100 * kMiB + 50 * kMB);
    for (const auto& item : result.items) {
        EXPECT_FALSE(item.isSelected);
        EXPECT_EQ(item.category, CleaningCategory::largeFiles);
    }
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEngineLargeFiles, EqualSizesKeepWalkOrderAcrossRoots) {
    FixtureTree tree;
    tree.file("home/Desktop/c.bin", 300 * kMB);
    tree.file("home/Documents/b.bin", 120 * kMB);
    tree.file("home/Downloads/a.bin", 120 * kMB);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    EXPECT_EQ(namesOf(engine.scanLargeFiles()), (std::vector<std::string>{"c.bin", "a.bin", "b.bin"}));
}

TEST(ScanEngineLargeFiles, TheYearBeforeALeapDayEndsOnTheTwentyEighth) {
    FixtureTree tree;
    tree.file("home/Documents/before.bin", 20 * kMB);
    tree.setModificationTime("home/Documents/before.bin", localTime(2023, 2, 28, 11, 59, 59));
    tree.file("home/Documents/at-cutoff.bin", 20 * kMB);
    tree.setModificationTime("home/Documents/at-cutoff.bin", localTime(2023, 2, 28, 12, 0, 0));
    tree.file("home/Documents/after.bin", 20 * kMB);
    tree.setModificationTime("home/Documents/after.bin", localTime(2023, 3, 1, 0, 0, 0));
    auto options = test::fixtureEngineOptions(tree);
    options.now = [] { return std::chrono::system_clock::from_time_t(localTime(2024, 2, 29, 12, 0, 0)); };
    ScanEngine engine(tree.path("home"), options);

    EXPECT_EQ(namesOf(engine.scanLargeFiles()), std::vector<std::string>{"before.bin"});
}

TEST(ScanEngineLargeFiles, AFileDatedPastTheClocksRangeIsNeverOld) {
    FixtureTree tree;
    constexpr std::time_t year2300 = 10'413'792'000;
    tree.file("home/Documents/future.bin", 20 * kMB);
    tree.setModificationTime("home/Documents/future.bin", year2300);
    tree.file("home/Documents/future-large.bin", 150 * kMB);
    tree.setModificationTime("home/Documents/future-large.bin", year2300);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanLargeFiles();
    EXPECT_EQ(namesOf(result), std::vector<std::string>{"future-large.bin"});
    // The latest date the clock holds, not a date in the past.
    ASSERT_TRUE(result.items[0].lastModified);
    EXPECT_EQ(*result.items[0].lastModified, Date::max());
    EXPECT_EQ(longDateText(*result.items[0].lastModified, "en_US"), "April 11, 2262");
}

TEST(ScanEngineLargeFiles, MissingOrLinkedRootsGiveNothing) {
    FixtureTree tree;
    tree.file("elsewhere/huge.bin", 500 * kMB);
    tree.folder("home");
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    EXPECT_TRUE(engine.scanLargeFiles().items.empty());

    // Reached through a link, the file lies outside Downloads and could not be cleaned as one of its files.
    tree.symlink("home/Downloads", tree.path("elsewhere"));
    CategoryResult result = engine.scanLargeFiles();
    EXPECT_TRUE(result.items.empty());
    EXPECT_EQ(result.totalSize, 0);
}

} // namespace
} // namespace zn
