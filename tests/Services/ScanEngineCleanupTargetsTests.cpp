#include "Services/ScanEngine+CleanupTargets.h"
#include "support/FaultyFileSystem.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/ResultQueries.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::FixtureTree;
using test::namesOf;

using Target = ScanEngine::CleanupTarget;

TEST(ScanEngineCleanupTargets, KeepsWhatExistsAndReachesItsMinimum) {
    FixtureTree tree;
    tree.file("home/logs/a", 1000);
    tree.file("home/small/a", 1000);
    tree.file("home/exact/a", 1000);
    tree.file("home/exact/b", 24);
    tree.file("home/history", 0);
    tree.file("home/tiny", 10);
    tree.setModificationTime("home/exact", 1'500'000'000);
    tree.setModificationTime("home/history", 1'600'000'000);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanCleanupTargets(
        {
            {"Missing", tree.path("home/missing"), true, 0},
            {"Small folder", tree.path("home/small"), true, 1024},
            {"Exact folder", tree.path("home/exact"), true, 1024},
            {"Empty history", tree.path("home/history"), false, 0},
            {"Tiny file", tree.path("home/tiny"), true, 1024},
        },
        CleaningCategory::aiApps);

    ASSERT_EQ(namesOf(result), (std::vector<std::string>{"Exact folder", "Empty history"}));
    const CleanableItem& folder = result.items[0];
    EXPECT_EQ(folder.path, tree.path("home/exact"));
    EXPECT_EQ(folder.size, 1024);
    EXPECT_EQ(folder.category, CleaningCategory::aiApps);
    EXPECT_TRUE(folder.isSelected);
    EXPECT_EQ(folder.lastModified, std::chrono::system_clock::from_time_t(1'500'000'000));
    const CleanableItem& history = result.items[1];
    EXPECT_EQ(history.size, 0);
    EXPECT_FALSE(history.isSelected); // the target's selection, not the category's
    EXPECT_EQ(history.lastModified, std::chrono::system_clock::from_time_t(1'600'000'000));
    EXPECT_EQ(result.category, CleaningCategory::aiApps);
    EXPECT_EQ(result.totalSize, 1024);
}

TEST(ScanEngineCleanupTargets, UnreadableAttributesCountAsSizeZero) {
    FixtureTree tree;
    const std::string history = tree.file("home/History", 5000);
    const std::string sessions = tree.file("home/Sessions", 5000);
    auto files = std::make_shared<test::FaultyFileSystem>();
    files->attributeErrors[history] = EACCES;
    files->attributeErrors[sessions] = EACCES;
    auto options = test::fixtureEngineOptions(tree);
    options.fileSystem = files;
    ScanEngine engine(tree.path("home"), options);

    CategoryResult result = engine.scanCleanupTargets(
        {{"History", history, true, 0}, {"Sessions", sessions, true, 1024}}, CleaningCategory::privacySweep);
    ASSERT_EQ(namesOf(result), (std::vector<std::string>{"History"}));
    EXPECT_EQ(result.items[0].size, 0);
    EXPECT_EQ(result.items[0].lastModified, std::nullopt);
}

TEST(ScanEngineCleanupTargets, SymbolicLinksAreNeverOffered) {
    FixtureTree tree;
    tree.file("elsewhere/big-file", 90'000);
    tree.file("elsewhere/folder/big", 90'000);
    tree.symlink("home/linked-file", tree.path("elsewhere/big-file"));
    tree.symlink("home/linked-folder", tree.path("elsewhere/folder"));
    tree.symlink("home/dangling", tree.path("elsewhere/gone"));
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanCleanupTargets({{"File", tree.path("home/linked-file"), true, 0},
                                                       {"Folder", tree.path("home/linked-folder"), true, 0},
                                                       {"Dangling", tree.path("home/dangling"), true, 0}},
                                                      CleaningCategory::privacySweep);
    EXPECT_TRUE(result.items.empty());
    EXPECT_EQ(result.totalSize, 0);
}

TEST(ScanEngineCleanupTargets, FirstOfEachPathThenLargestFirstKeepingTargetOrder) {
    FixtureTree tree;
    tree.file("home/a", 2000);
    tree.file("home/b", 3000);
    tree.file("home/c", 2000);
    tree.file("home/d", 2000);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanCleanupTargets({{"A", tree.path("home/a"), true, 0},
                                                       {"B", tree.path("home/b"), true, 0},
                                                       {"A again", tree.path("home/./a"), true, 0},
                                                       {"C", tree.path("home/c"), true, 0},
                                                       {"D", tree.path("home/d"), true, 0}},
                                                      CleaningCategory::privacySweep);
    EXPECT_EQ(namesOf(result), (std::vector<std::string>{"B", "A", "C", "D"}));
    EXPECT_EQ(result.totalSize, 9000);
}

} // namespace
} // namespace zn
