#include "Services/ScanEngine.h"
#include "support/FaultyFileSystem.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"
#include "support/ResultQueries.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <utility>

namespace zn {
namespace {

using test::FixtureTree;
using test::itemNamed;

const std::string kSupport = "home/Library/Application Support/";
const std::string kCaches = "home/Library/Caches/";

// A home with Safari, all four Chromium-family browsers and Firefox in use.
void layOutBrowsers(FixtureTree& tree) {
    tree.file("home/Library/Safari/History.db", 700);
    tree.file(kCaches + "com.apple.Safari/Cache.db", 3000);

    const std::string chrome = kSupport + "Google/Chrome/";
    tree.file(chrome + "Default/History", 700);
    tree.file(chrome + "Default/Sessions/Session_1", 1000);
    tree.file(chrome + "Profile 1/History", 400);
    tree.file(chrome + "Profile 1/Sessions/Session_1", 1000);
    tree.file(chrome + "Profile 1/Sessions/Tabs_1", 24);
    tree.file(chrome + "Crashpad/settings.dat", 50);
    tree.file(chrome + "Crashpad/Top Sites", 50);
    tree.file(chrome + "System Profile/Top Sites", 300);
    tree.file(chrome + "Extra/Visited Links", 200);
    tree.file(chrome + "Profile 3", 10);                               // a file, not a profile folder
    tree.symlink(chrome + "Profile 4", tree.path(chrome + "Default")); // a link, not a profile folder
    tree.file(chrome + "Local State", 90);
    tree.file(kCaches + "Google/Chrome/Default/Cache/data_0", 5000);
    tree.file(kCaches + "Google/Chrome/Profile 1/GPUCache/data_0", 1000);

    tree.file(kSupport + "Microsoft Edge/Default/DownloadMetadata", 0);

    tree.file(kSupport + "com.operasoftware.Opera/History", 600);
    tree.file(kCaches + "com.operasoftware.Opera/Cache/data_0", 2000);
    tree.file(kSupport + "com.operasoftware.OperaGX/History", 100);

    const std::string firefox = kSupport + "Firefox/Profiles/";
    tree.file(firefox + "abcd1234.default-release/places.sqlite", 800);
    tree.file(firefox + "Crash Reports/favicons.sqlite", 300);
    tree.file(firefox + "profiles.ini", 40);
    tree.file(kCaches + "Firefox/Profiles/abcd1234.default-release/cache2/entries/e", 9000);
}

std::vector<std::pair<std::string, std::int64_t>> namesAndSizes(const CategoryResult& result) {
    std::vector<std::pair<std::string, std::int64_t>> found;
    for (const auto& item : result.items)
        found.emplace_back(item.name, item.size);
    return found;
}

TEST(ScanEnginePrivacy, EveryBrowserLargestFirstWithTiesInTargetOrder) {
    FixtureTree tree;
    layOutBrowsers(tree);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    CategoryResult result = engine.scanPrivacySweep();
    EXPECT_EQ(result.category, CleaningCategory::privacySweep);
    EXPECT_EQ(namesAndSizes(result), (std::vector<std::pair<std::string, std::int64_t>>{
                                         {"Firefox abcd1234.default-release website files", 9000},
                                         {"Chrome website files", 5000},
                                         {"Safari website files", 3000},
                                         {"Opera website files", 2000},
                                         {"Chrome Profile 1 last session", 1024},
                                         {"Firefox abcd1234.default-release history and downloads", 800},
                                         {"Safari browsing history", 700},
                                         {"Chrome history", 700},
                                         {"Opera history", 600},
                                         {"Chrome Profile 1 history", 400},
                                         {"Chrome System Profile top sites", 300},
                                         {"Firefox Crash Reports website icons", 300},
                                         {"Chrome Extra visited links", 200},
                                         {"Opera GX history", 100},
                                         {"Edge download history", 0},
                                     }));
    EXPECT_EQ(result.totalSize, 24'124);
    for (const auto& item : result.items) {
        EXPECT_EQ(item.category, CleaningCategory::privacySweep);
        EXPECT_TRUE(item.isSelected);
        EXPECT_TRUE(item.lastModified.has_value()) << item.name;
    }
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEnginePrivacy, ItemsPointAtTheProfileAndCacheFolders) {
    FixtureTree tree;
    layOutBrowsers(tree);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanPrivacySweep();
    const std::vector<std::pair<std::string, std::string>> expected{
        {"Safari browsing history", "home/Library/Safari/History.db"},
        {"Safari website files", kCaches + "com.apple.Safari"},
        {"Chrome history", kSupport + "Google/Chrome/Default/History"},
        {"Chrome website files", kCaches + "Google/Chrome/Default/Cache"},
        {"Chrome Profile 1 last session", kSupport + "Google/Chrome/Profile 1/Sessions"},
        {"Chrome System Profile top sites", kSupport + "Google/Chrome/System Profile/Top Sites"},
        {"Opera history", kSupport + "com.operasoftware.Opera/History"},
        {"Opera website files", kCaches + "com.operasoftware.Opera/Cache"},
        {"Firefox abcd1234.default-release website files",
         kCaches + "Firefox/Profiles/abcd1234.default-release/cache2"},
        {"Firefox Crash Reports website icons", kSupport + "Firefox/Profiles/Crash Reports/favicons.sqlite"},
    };
    for (const auto& [name, relative] : expected) {
        const CleanableItem* item = itemNamed(result, name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->path, tree.path(relative)) << name;
    }
    // Crashpad holds none of the history files, so even its "Top Sites" is not offered.
    EXPECT_EQ(itemNamed(result, "Chrome Crashpad top sites"), nullptr);
    EXPECT_EQ(itemNamed(result, "Chrome Profile 1 graphics files"), nullptr); // 1,000 bytes
    EXPECT_EQ(itemNamed(result, "Chrome last session"), nullptr);             // 1,000 bytes
}

TEST(ScanEnginePrivacy, ABrowserWhoseFolderCannotBeListedOffersOnlyItsFixedCandidates) {
    FixtureTree tree;
    layOutBrowsers(tree);
    auto files = std::make_shared<test::FaultyFileSystem>();
    files->folderOpenErrors[tree.path(kSupport + "Google/Chrome")] = EACCES;
    files->folderOpenErrors[tree.path(kSupport + "com.operasoftware.Opera")] = EACCES;
    files->folderOpenErrors[tree.path(kSupport + "Firefox/Profiles")] = EACCES;
    auto options = test::fixtureEngineOptions(tree);
    options.fileSystem = files;
    ScanEngine engine(tree.path("home"), options);
    test::LogCapture log;

    CategoryResult result = engine.scanPrivacySweep();
    for (const auto& item : result.items) {
        EXPECT_FALSE(item.name.starts_with("Chrome")) << item.name;
        EXPECT_FALSE(item.name.starts_with("Firefox")) << item.name;
    }
    // Opera's support folder is a profile without being listed.
    EXPECT_NE(itemNamed(result, "Opera history"), nullptr);
    EXPECT_NE(itemNamed(result, "Safari browsing history"), nullptr);
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEnginePrivacy, NoBrowsersGiveAnEmptyResult) {
    FixtureTree tree;
    tree.folder("home/Library/Application Support");
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    CategoryResult result = engine.scanCategory(CleaningCategory::privacySweep);
    EXPECT_EQ(result.category, CleaningCategory::privacySweep);
    EXPECT_TRUE(result.items.empty());
    EXPECT_EQ(result.totalSize, 0);
    EXPECT_TRUE(log.entries().empty());
}

} // namespace
} // namespace zn
