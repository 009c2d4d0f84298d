#include "Platform/core/PathResolution.h"
#include "Services/CleaningEngine.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/ScriptedFileOperations.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <sys/sysmacros.h>
#include <thread>

namespace zn {
namespace {

using test::exists;
using test::itemAt;
using Line = test::LogCapture::Line;

const std::string kSource = "cleanItems(_:progressHandler:)";

class CleanItemsTest : public ::testing::Test {
protected:
    CleaningEngine makeEngine(const std::string& home) {
        CleaningEngineOptions options;
        options.fileOperations = operations;
        options.adminRunner = std::make_shared<test::RecordingAdminRunner>();
        options.temporaryDirectory = tree.folder("tmp");
        options.systemFolders = test::fixtureCleaningFolders(tree);
        return CleaningEngine(home, options);
    }
    CleaningResult clean(const std::vector<CleanableItem>& items) {
        return engine.cleanItems(items, nullptr);
    }
    std::string refusal(const std::string& path) {
        return "Skipped symlink or unsafe path: " + path + " -> " + resolvingSymlinksInPath(path);
    }

    test::FixtureTree tree;
    std::string home = tree.folder("home");
    std::shared_ptr<test::ScriptedFileOperations> operations =
        std::make_shared<test::ScriptedFileOperations>();
    CleaningEngine engine = makeEngine(home);
    test::LogCapture log;
};

TEST_F(CleanItemsTest, ReportsProgressBeforeEachItem) {
    std::vector<CleanableItem> items;
    for (int i = 0; i < 4; ++i)
        items.push_back(
            itemAt(tree.file("home/Library/Caches/app" + std::to_string(i) + ".log", 10), 100 + i));
    std::vector<std::pair<double, bool>> reports; // fraction, item still there when reported
    CleaningResult result = engine.cleanItems(
        items, [&](double fraction) { reports.emplace_back(fraction, exists(items[reports.size()].path)); });

    const std::vector<std::pair<double, bool>> expected{{0.25, true}, {0.5, true}, {0.75, true}, {1.0, true}};
    EXPECT_EQ(reports, expected);
    EXPECT_EQ(result.deletedCount, 4);
    EXPECT_EQ(result.freedSpace, 100 + 101 + 102 + 103);
    EXPECT_EQ(result.deletedPaths.size(), 4u);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_TRUE(log.lines().empty()); // removals are not logged

    reports.clear();
    CleaningResult empty =
        engine.cleanItems({}, [&](double fraction) { reports.emplace_back(fraction, false); });
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(empty.deletedCount, 0);
    EXPECT_TRUE(empty.deletedPaths.empty());
}

TEST_F(CleanItemsTest, DuplicatesAndMissingPathsAddNothing) {
    const std::string file = tree.file("home/Library/Caches/twice.db", 10);
    const std::string dangling = tree.symlink("home/Library/Caches/dangling", tree.path("nowhere"));
    CleaningResult result = clean(
        {itemAt(file, 50), itemAt(file, 50), itemAt(home + "/Library/Caches/never-was"), itemAt(dangling)});
    EXPECT_EQ(result.deletedCount, 1);
    EXPECT_EQ(result.freedSpace, 50);
    EXPECT_EQ(result.deletedPaths, std::set<std::string>{file});
    EXPECT_TRUE(result.errors.empty());
    EXPECT_TRUE(exists(dangling));
}

TEST_F(CleanItemsTest, LargeFilesOnlyAsRegularFilesBelowDownloadsDocumentsDesktop) {
    const std::string download = tree.file("home/Downloads/big.iso", 10);
    const std::string movie = tree.file("home/Movies/film.mov", 10);
    const std::string cached = tree.file("home/Library/Caches/huge.bin", 10);
    const std::string thesis = tree.folder("home/Documents/Thesis");
    tree.file("home/Documents/Thesis/chapter1.txt", 10);
    // A scanned file that was swapped for a link to a folder must not take the folder with it.
    const std::string swapped = tree.symlink("home/Downloads/old.zip", thesis);
    auto large = [](const std::string& path) { return itemAt(path, 10, CleaningCategory::largeFiles); };

    CleaningResult result =
        clean({large(download), large(movie), large(cached), large(swapped), large(thesis)});
    EXPECT_EQ(result.deletedPaths, std::set<std::string>{download});
    const std::vector<std::string> expected{refusal(movie), refusal(cached), refusal(swapped),
                                            refusal(thesis)};
    EXPECT_EQ(result.errors, expected);
    EXPECT_TRUE(exists(movie));
    EXPECT_TRUE(exists(cached));
    EXPECT_TRUE(exists(tree.path("home/Documents/Thesis/chapter1.txt")));
    EXPECT_EQ(log.lines().front(), (Line{refusal(movie), LogLevel::warning, kSource}));
}

TEST_F(CleanItemsTest, LinksAreResolvedBeforeTheCheck) {
    const std::string target = tree.file("home/Library/Caches/real/data.bin", 10);
    const std::string link = tree.symlink("home/Library/Caches/link", target);
    const std::string photo = tree.file("home/Pictures/photo.jpg", 10);
    const std::string outward = tree.symlink("home/Library/Caches/photo-link", photo);

    CleaningResult result = clean({itemAt(link), itemAt(outward)});
    EXPECT_FALSE(exists(target));
    EXPECT_EQ(result.deletedPaths, std::set<std::string>{link}); // the path as the item carried it
    EXPECT_EQ(result.errors, std::vector<std::string>{refusal(outward)});
    EXPECT_TRUE(exists(photo));
}

TEST_F(CleanItemsTest, AFolderLosesItsLinksButNotWhatTheyPointTo) {
    tree.file("outside/precious/file.txt", 10);
    tree.file("outside/single.txt", 10);
    const std::string folder = tree.folder("home/Library/Caches/com.example.app");
    tree.file("home/Library/Caches/com.example.app/blob", 10);
    tree.symlink("home/Library/Caches/com.example.app/to-folder", tree.path("outside/precious"));
    tree.symlink("home/Library/Caches/com.example.app/nested/to-file", tree.path("outside/single.txt"));
    tree.symlink("home/Library/Caches/com.example.app/to-home", home);

    CleaningResult result = clean({itemAt(folder)});
    EXPECT_EQ(result.deletedCount, 1);
    EXPECT_FALSE(exists(folder));
    EXPECT_TRUE(exists(tree.path("outside/precious/file.txt")));
    EXPECT_TRUE(exists(tree.path("outside/single.txt")));
    EXPECT_TRUE(exists(home + "/Library/Caches"));
}

TEST_F(CleanItemsTest, PermissionFailuresAreDeferredWithoutText) {
    const std::string locked = tree.file("home/Library/Caches/locked.db", 10);
    const std::string owned = tree.file("home/Library/Logs/owned/system.log", 10);
    const std::string busy = tree.file("home/Library/Caches/busy.lock", 10);
    operations->removeFailures["locked.db"] = EACCES;
    operations->removeFailures["system.log"] = EPERM;
    operations->removeFailures["busy.lock"] = EBUSY;

    const CleanableItem lockedItem = itemAt(locked), ownedItem = itemAt(tree.path("home/Library/Logs/owned"));
    CleaningResult result = clean({lockedItem, ownedItem, itemAt(busy)});
    EXPECT_EQ(result.deferredToAdmin, (std::vector<CleanableItem>{lockedItem, ownedItem}));
    EXPECT_EQ(result.deletedCount, 0);
    EXPECT_EQ(result.freedSpace, 0);
    const std::string failure = "busy.lock at " + busy + ": Device or resource busy";
    EXPECT_EQ(result.errors, std::vector<std::string>{failure});
    const std::vector<Line> expected{{"Deferring to admin pass: " + locked, LogLevel::info, kSource},
                                     {"Deferring to admin pass: " + ownedItem.path, LogLevel::info, kSource},
                                     {"Clean failed: " + failure, LogLevel::error, kSource}};
    EXPECT_EQ(log.lines(), expected);
}

TEST_F(CleanItemsTest, OtherApplicationsRootsGoOnlyByTheirContents) {
    tree.file("home/Library/Containers/com.example.app/Data/file", 10);
    tree.file("home/Library/Application Support/Editor/state.db", 10);
    tree.file("home/.cache/pip/wheel", 10);
    tree.file("home/Library/Caches/app/cache.db", 10);
    const std::vector<std::string> kept{home + "/Library/Containers", home + "/Library/Application Support",
                                        home + "/.cache"};
    std::vector<CleanableItem> items;
    for (const auto& path : kept)
        items.push_back(itemAt(path));
    items.push_back(itemAt(home + "/Library/Containers/com.example.app"));
    items.push_back(itemAt(home + "/Library/Caches"));

    CleaningResult result = clean(items);
    EXPECT_EQ(result.errors,
              (std::vector<std::string>{refusal(kept[0]), refusal(kept[1]), refusal(kept[2])}));
    EXPECT_EQ(result.deletedPaths, (std::set<std::string>{home + "/Library/Containers/com.example.app",
                                                          home + "/Library/Caches"}));
    EXPECT_TRUE(exists(tree.path("home/Library/Application Support/Editor/state.db")));
    EXPECT_TRUE(exists(tree.path("home/.cache/pip/wheel")));
    EXPECT_TRUE(exists(home + "/Library/Containers"));
}

TEST_F(CleanItemsTest, OnlyAbsolutePathsAreLookedAt) {
    const std::string file = tree.file("home/Library/Caches/a", 10);
    const std::string withNul = file + std::string(1, '\0') + "/../../../Documents";
    const std::vector<std::string> paths{"~/Library/Caches/a", "Library/Caches/a", "", withNul};
    std::vector<CleanableItem> items;
    for (const auto& path : paths)
        items.push_back(itemAt(path));

    CleaningResult result = clean(items);
    ASSERT_EQ(result.errors.size(), 4u);
    for (std::size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(result.errors[i], "Skipped symlink or unsafe path: " + paths[i] + " -> " + paths[i]);
    EXPECT_EQ(result.deletedCount, 0);
    EXPECT_TRUE(exists(file));
}

TEST_F(CleanItemsTest, AMountedFileSystemInsideIsLeftAlone) {
    const std::string folder = tree.folder("home/Library/Caches/app");
    tree.file("home/Library/Caches/app/mnt/on-another-disk", 10);
    operations->foreignDevices["mnt"] = makedev(250, 9);

    CleaningResult result = clean({itemAt(folder)});
    EXPECT_EQ(result.deletedCount, 0);
    EXPECT_EQ(result.errors,
              std::vector<std::string>{"app at " + folder +
                                       ": It holds another mounted file system, which is left untouched"});
    EXPECT_TRUE(exists(tree.path("home/Library/Caches/app/mnt/on-another-disk")));
}

TEST_F(CleanItemsTest, OperationsNeverOverlap) {
    std::atomic<int> running{0};
    std::atomic<bool> overlapped{false};
    const std::vector<CleanableItem> items{itemAt(home + "/Library/Caches/a"),
                                           itemAt(home + "/Library/Caches/b")};
    auto cleaner = [&] {
        engine.cleanItems(items, [&](double fraction) {
            if (fraction < 1.0 && running.fetch_add(1) != 0)
                overlapped = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (fraction == 1.0)
                running.fetch_sub(1);
        });
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < 6; ++i)
        threads.emplace_back(cleaner);
    for (auto& thread : threads)
        thread.join();
    EXPECT_FALSE(overlapped);
}

TEST_F(CleanItemsTest, AHomeReachedThroughALinkWorksWithEitherSpelling) {
    tree.symlink("home-link", home);
    CleaningEngine linked = makeEngine(tree.path("home-link"));
    tree.file("home/Library/Caches/one", 10);
    tree.file("home/Library/Caches/two", 10);
    const std::string throughLink = tree.path("home-link/Library/Caches/one");
    const std::string direct = home + "/Library/Caches/two";
    CleaningResult result = linked.cleanItems({itemAt(throughLink), itemAt(direct)}, nullptr);
    EXPECT_EQ(result.deletedPaths, (std::set<std::string>{throughLink, direct}));
    EXPECT_TRUE(exists(tree.path("home-link")));
}

} // namespace
} // namespace zn
