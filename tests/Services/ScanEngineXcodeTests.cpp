#include "Services/ScanEngine.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"
#include "support/ResultQueries.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using test::FixtureTree;
using test::namesOf;

TEST(ScanEngineXcode, FoldersAreWholeItemsNamedByWhatTheyHold) {
    FixtureTree tree;
    tree.folder("home/Library/Developer/Xcode/DerivedData/Empty-abc"); // measures 0: no item
    tree.file("home/Library/Developer/Xcode/Archives/2024-01-01/App.xcarchive/Info.plist", 3000);
    tree.file("home/Library/Developer/CoreSimulator/Caches/dyld/cache", 5000);
    tree.file("home/Library/Caches/com.apple.dt.Xcode/Cache.db", 7000);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    CategoryResult result = engine.scanXcodeJunk();
    EXPECT_EQ(result.category, CleaningCategory::xcodeJunk);
    EXPECT_EQ(namesOf(result), (std::vector<std::string>{"Old coding archives", "Coding simulator files",
                                                         "Xcode extra files"}));
    EXPECT_EQ(result.items[2].path, tree.path("home/Library/Caches/com.apple.dt.Xcode"));
    EXPECT_EQ(result.items[2].size, 7000);
    EXPECT_EQ(result.totalSize, 15'000);
    for (const auto& item : result.items) {
        EXPECT_TRUE(item.isSelected);
        EXPECT_FALSE(item.lastModified);
        EXPECT_EQ(item.category, CleaningCategory::xcodeJunk);
    }
    EXPECT_TRUE(log.entries().empty());

    tree.file("home/Library/Developer/Xcode/DerivedData/App-xyz/Build/app", 2000);
    EXPECT_EQ(engine.scanXcodeJunk().items.front().name, "Coding build files");
}

TEST(ScanEngineXcode, NamesTestTheWholePathHomeIncluded) {
    FixtureTree tree;
    const std::string home = "Archives/home";
    tree.file(home + "/Library/Developer/Xcode/DerivedData/x", 2000);
    tree.file(home + "/Library/Developer/CoreSimulator/Caches/x", 2000);
    tree.file(home + "/Library/Caches/com.apple.dt.Xcode/x", 2000);
    ScanEngine engine(tree.path(home), test::fixtureEngineOptions(tree));

    EXPECT_EQ(namesOf(engine.scanXcodeJunk()),
              (std::vector<std::string>{"Coding build files", "Old coding archives", "Old coding archives"}));
}

} // namespace
} // namespace zn
