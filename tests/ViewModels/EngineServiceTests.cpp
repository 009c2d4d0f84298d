#include "ViewModels/CleaningEngineService.h"
#include "ViewModels/ScanEngineService.h"
#include "appsupport/AppStateHarness.h"
#include "support/FakeVolumeInfo.h"
#include "support/FixtureEngineOptions.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;

TEST(EngineServices, ASmartScanOverARealHome) {
    test::AppStateHarness harness;
    harness.tree.file("home/Library/Caches/com.example.editor/blob", 40'000);
    auto options = test::fixtureEngineOptions(harness.tree);
    // Fixed figures: the real volume's free space moves while other programs write.
    options.volumeInfo = std::make_shared<test::FakeVolumeInfo>();
    auto engine = std::make_shared<ScanEngine>(harness.tree.path("home"), options);
    harness.realScanner = std::make_shared<ScanEngineService>(engine);
    AppState& state = harness.makeState();

    state.startSmartScan();
    ASSERT_TRUE(test::waitUntil([&] { return state.scanState() == ScanState::completed(); }));
    EXPECT_EQ(state.categoryResults().size(), 4u);
    std::int64_t total = 0;
    for (const auto& [category, result] : state.categoryResults())
        total += result.totalSize;
    EXPECT_EQ(state.totalJunkSize(), total);
    EXPECT_GE(state.categoryResults().at(userCache).totalSize, 40'000);
    ASSERT_TRUE(test::waitUntil([&] { return state.diskInfo() == engine->getDiskInfo(); }));
}

TEST(EngineServices, ARealCleanRemovesWhatTheRulesAllowAndNamesTheRest) {
    test::AppStateHarness harness;
    std::string cache = harness.tree.file("home/Library/Caches/com.example.editor/blob", 4'000);
    std::string photo = harness.tree.file("home/Pictures/holiday.jpg", 9'000);
    CleaningEngineOptions options;
    options.systemFolders = test::fixtureCleaningFolders(harness.tree);
    harness.realCleaner = std::make_shared<CleaningEngineService>(
        std::make_shared<CleaningEngine>(harness.tree.path("home"), options));
    AppState& state = harness.makeState();
    auto cacheItem = test::makeItem(userCache, cache, 4'000, true);
    auto photoItem = test::makeItem(systemJunk, photo, 9'000, true); // outside every allowed root
    state.setCategoryResults({{userCache, test::makeResult(userCache, {cacheItem})},
                              {systemJunk, test::makeResult(systemJunk, {photoItem})}});

    state.cleanAll();
    ASSERT_TRUE(test::waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
    EXPECT_FALSE(std::filesystem::exists(cache));
    EXPECT_TRUE(std::filesystem::exists(photo));
    EXPECT_EQ(state.totalFreedSpace(), 4'000);
    EXPECT_FALSE(state.categoryResults().contains(userCache));
    EXPECT_EQ(state.pendingPermissionRetryItems(), std::vector<CleanableItem>{photoItem});
    EXPECT_EQ(state.cleanError(), "Couldn't remove holiday.jpg. They may be in use or protected by macOS.");
}

TEST(EngineServices, TheUninstallersAccessRetryNeverFollowsALinkThatAppearedSince) {
    test::AppStateHarness harness;
    const std::string own = harness.tree.textFile("home/Library/Preferences/com.foo.app.plist", "own");
    const std::string leftover = harness.tree.textFile("home/Library/Caches/bdir/com.foo.app.plist", "old");
    CleaningEngineOptions options;
    options.systemFolders = test::fixtureCleaningFolders(harness.tree);
    harness.realCleaner = std::make_shared<CleaningEngineService>(
        std::make_shared<CleaningEngine>(harness.tree.path("home"), options));
    harness.fullDiskAccess->store(false);
    harness.trash->failWith(leftover, EPERM);
    AppState& state = harness.makeState();
    state.setDiscoveredFiles({leftover});
    state.setSelectedFiles({leftover});
    state.removeSelectedFiles();
    ASSERT_TRUE(test::waitUntil([&] { return state.removalNeedsFullDiskAccess(); }));
    ASSERT_EQ(state.lastFailedRemovalURLs(), std::vector<std::string>{leftover});

    // As the files pane does; then, while the prompt is open, the folder becomes a link to Preferences.
    std::vector<CleanableItem> items{AppState::cleanableUninstallItem(leftover)};
    state.setRemovalNeedsFullDiskAccess(false);
    state.requestFullDiskAccessAndRetry(items, PermissionPromptContext::uninstall("Foo", 1));
    std::filesystem::rename(harness.tree.path("home/Library/Caches/bdir"),
                            harness.tree.path("home/Library/Caches/bdir.real"));
    harness.tree.symlink("home/Library/Caches/bdir", harness.tree.path("home/Library/Preferences"));
    harness.permission->grant();
    ASSERT_TRUE(test::waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
    EXPECT_TRUE(std::filesystem::exists(own));
    EXPECT_TRUE(
        std::filesystem::exists(harness.tree.path("home/Library/Caches/bdir.real/com.foo.app.plist")));
}

} // namespace
} // namespace zn
