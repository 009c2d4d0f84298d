#include "Services/ScanEngine.h"
#include "support/FaultyFileSystem.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <map>

namespace zn {
namespace {

using test::FixtureTree;

std::map<std::string, std::int64_t> sizesByName(const std::vector<CleanableItem>& items) {
    std::map<std::string, std::int64_t> sizes;
    for (const auto& item : items)
        sizes[item.name] = item.size;
    return sizes;
}

Date at(std::time_t seconds) {
    return std::chrono::system_clock::from_time_t(seconds);
}

TEST(ScanEngineListing, OffersEntriesOfMoreThan1024Bytes) {
    FixtureTree tree;
    tree.file("home/Caches/exactly", 1024);
    tree.file("home/Caches/above", 1025);
    tree.setModificationTime("home/Caches/above", 1'500'000'000);
    tree.file("home/Caches/small-folder/a", 1000);
    tree.file("home/Caches/small-folder/b", 24);
    tree.file("home/Caches/big-folder/a", 1000);
    tree.file("home/Caches/big-folder/nested/b", 25);
    tree.file("home/Caches/big-folder/.hidden", 90'000); // not part of the folder's size
    tree.setModificationTime("home/Caches/big-folder", 1'400'000'000);
    tree.file("home/Caches/.hidden-file", 4000); // hidden entries are listed
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    auto items = engine.scanDirectory(tree.path("home/Caches"), CleaningCategory::trashBins);
    EXPECT_EQ(sizesByName(items), (std::map<std::string, std::int64_t>{
                                      {"above", 1025}, {"big-folder", 1025}, {".hidden-file", 4000}}));
    for (const auto& item : items) {
        EXPECT_EQ(item.path, tree.path("home/Caches/" + item.name));
        EXPECT_EQ(item.category, CleaningCategory::trashBins);
        EXPECT_TRUE(item.isSelected);
        if (item.name == "above") {
            EXPECT_EQ(item.lastModified, at(1'500'000'000));
        } else if (item.name == "big-folder") {
            EXPECT_EQ(item.lastModified, at(1'400'000'000)); // the folder's own date
        }
    }
    EXPECT_NE(items[0].id, items[1].id);

    // The listing stays one level deep whatever the depth arguments say, and a trailing "/" on the folder
    // never doubles the separator in item paths.
    auto deep = engine.scanDirectory(tree.path("home/Caches") + "/", CleaningCategory::trashBins, true, 5);
    EXPECT_EQ(sizesByName(deep), sizesByName(items));
    for (const auto& item : deep)
        EXPECT_EQ(item.path, tree.path("home/Caches/" + item.name));
}

TEST(ScanEngineListing, SkipsSymbolicLinksSilently) {
    FixtureTree tree;
    tree.file("home/elsewhere/big-file", 900'000);
    tree.file("home/elsewhere/folder/big", 900'000);
    tree.symlink("home/Caches/file-link", tree.path("home/elsewhere/big-file"));
    tree.symlink("home/Caches/folder-link", tree.path("home/elsewhere/folder"));
    tree.symlink("home/Caches/dangling", tree.path("home/elsewhere/gone"));
    // A link's own size is the length of its target's path: make it pass 1,024 bytes.
    const std::string longName(250, 'x');
    const std::string longTarget = tree.file("home/elsewhere/" + longName + "/" + longName + "/" + longName +
                                                 "/" + longName + "/" + longName,
                                             900'000);
    ASSERT_GT(longTarget.size(), 1024u);
    tree.symlink("home/Caches/long-link", longTarget);
    tree.file("home/Caches/inner/link-target-not-counted", 0);
    tree.symlink("home/Caches/inner/link", tree.path("home/elsewhere/big-file"));
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    EXPECT_TRUE(engine.scanDirectory(tree.path("home/Caches"), CleaningCategory::userCache).empty());
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEngineListing, MissingUnreadableAndUnlistableFolders) {
    FixtureTree tree;
    tree.file("home/Caches/app/data", 5000);
    tree.file("home/Caches/file-without-attributes", 5000);
    tree.file("home/Caches/folder-without-attributes/data", 5000);
    auto files = std::make_shared<test::FaultyFileSystem>();
    auto options = test::fixtureEngineOptions(tree);
    options.fileSystem = files;
    ScanEngine engine(tree.path("home"), options);
    test::LogCapture log;

    EXPECT_TRUE(engine.scanDirectory(tree.path("home/none"), CleaningCategory::userCache).empty());
    files->unreadablePaths.insert(tree.path("home/Caches"));
    EXPECT_TRUE(engine.scanDirectory(tree.path("home/Caches"), CleaningCategory::userCache).empty());
    EXPECT_TRUE(log.entries().empty());

    files->unreadablePaths.clear();
    files->attributeErrors[tree.path("home/Caches/file-without-attributes")] = EACCES;
    files->attributeErrors[tree.path("home/Caches/folder-without-attributes")] = EACCES;
    auto items = engine.scanDirectory(tree.path("home/Caches"), CleaningCategory::userCache);
    EXPECT_EQ(sizesByName(items),
              (std::map<std::string, std::int64_t>{{"app", 5000}, {"folder-without-attributes", 5000}}));
    for (const auto& item : items) {
        if (item.name == "folder-without-attributes") {
            EXPECT_FALSE(item.lastModified);
        }
    }

    files->folderOpenErrors[tree.path("home/Caches")] = EACCES;
    EXPECT_TRUE(engine.scanDirectory(tree.path("home/Caches"), CleaningCategory::userCache).empty());
    auto entries = log.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].message, "Cannot enumerate " + tree.path("home/Caches") + ": Permission denied");
    EXPECT_EQ(entries[0].level, LogLevel::warning);
    EXPECT_EQ(entries[0].source, "scanDirectory(path:category:recursive:maxDepth:excluding:)");
}

TEST(ScanEngineListing, ExclusionComparesStandardisedPathsAsExactText) {
    FixtureTree tree;
    tree.file("home/Caches/Google/data", 5000);
    tree.file("home/Caches/Homebrew/data", 5000);
    tree.file("home/Caches/Edge/data", 5000);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    std::unordered_set<std::string> excluding{
        tree.path("home/Caches/Google"),    // matches
        tree.path("home/Caches/Homebrew/"), // not standardised: never matches
        tree.path("home/Caches/./Edge"),    // not standardised: never matches
    };
    // The folder is given unstandardised; the entries' full paths are standardised before the test.
    auto items =
        engine.scanDirectory(tree.path("home/./Caches"), CleaningCategory::userCache, false, 1, excluding);
    EXPECT_EQ(sizesByName(items), (std::map<std::string, std::int64_t>{{"Homebrew", 5000}, {"Edge", 5000}}));
}

TEST(ScanEngineListing, DeduplicationKeepsTheFirstItemOfEachStandardisedPath) {
    ScanEngine engine("/Users/zoe", {});
    auto item = [](std::string name, std::string path) {
        return CleanableItem{
            Uuid::random(), std::move(name), std::move(path), 2000, CleaningCategory::userCache,
            true,           std::nullopt};
    };
    std::vector<CleanableItem> items{
        item("first", "/Users/zoe/Library/Caches/pip"),
        item("other", "/Users/zoe/.cache/pip"),
        item("slash", "/Users/zoe/Library/Caches/pip/"),
        item("dot", "/Users/zoe/Library/./Caches//pip"),
        item("tilde", "~/.cache/pip"),
        item("last", "/Users/zoe/.npm/_cacache"),
    };
    auto kept = engine.deduplicatedItems(items);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].name, "first");
    EXPECT_EQ(kept[1].name, "other");
    EXPECT_EQ(kept[2].name, "last");
    EXPECT_EQ(kept[0].id, items[0].id);
}

TEST(ScanEngineListing, SizesAndDatesGoThroughTheFacade) {
    FixtureTree tree;
    tree.file("home/Caches/app/a", 700);
    tree.file("home/Caches/app/.b", 700);
    tree.setModificationTime("home/Caches/app", 1'300'000'000);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    EXPECT_EQ(engine.directorySize(tree.path("home/Caches")), 700);
    EXPECT_EQ(engine.fileModDate(tree.path("home/Caches/app")), at(1'300'000'000));
    EXPECT_FALSE(engine.fileModDate(tree.path("home/none")));
}

} // namespace
} // namespace zn
