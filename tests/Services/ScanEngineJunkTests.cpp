#include "Services/ScanEngine.h"
#include "support/FaultyFileSystem.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"
#include "support/Privileges.h"
#include "support/ResultQueries.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {
namespace {

using test::FixtureTree;
using test::itemNamed;
using test::namesOf;

TEST(ScanEngineJunk, SystemJunkListsSixFoldersInFixedOrder) {
    FixtureTree tree;
    tree.file("system/Library/Caches/com.vendor.cache", 2000);
    tree.file("system/Library/Logs/DiagnosticReports/crash", 9000);
    tree.file("system/private/var/log/system.log", 3000);
    tree.file("system/private/var/log/tiny.log", 1024);
    tree.file("home/Library/Logs/app.log", 8000);
    tree.file("system/tmp/scratch", 4000);
    tree.file("system/private/var/tmp/leftover", 5000);
    auto options = test::fixtureEngineOptions(tree);
    options.now = [] { return std::chrono::system_clock::now() + std::chrono::hours(25); };
    ScanEngine engine(tree.path("home"), options);

    CategoryResult result = engine.scanSystemJunk();
    EXPECT_EQ(result.category, CleaningCategory::systemJunk);
    EXPECT_EQ(namesOf(result), (std::vector<std::string>{"com.vendor.cache", "DiagnosticReports",
                                                         "system.log", "app.log", "scratch", "leftover"}));
    EXPECT_EQ(result.items[3].path, tree.path("home/Library/Logs/app.log"));
    EXPECT_EQ(result.totalSize, 31'000);
    for (const auto& item : result.items) {
        EXPECT_EQ(item.category, CleaningCategory::systemJunk);
        EXPECT_TRUE(item.isSelected);
    }
}

TEST(ScanEngineJunk, TemporaryFoldersOfferOnlyTheUsersOwnEntriesThatRestedForADay) {
    FixtureTree tree;
    const std::time_t now = 2'000'000'000, day = 24 * 60 * 60;
    tree.file("system/Library/Logs/fresh.log", 3000);
    tree.file("system/tmp/old-file", 2000);
    tree.file("system/tmp/a-day-old", 2000);
    tree.file("system/tmp/not-quite-a-day-old", 2000);
    tree.file("system/tmp/old-build/obj/main.o", 4000);
    tree.file("system/tmp/busy-build/obj/main.o", 4000);
    tree.file("system/tmp/busy-build/obj/util.o", 4000);
    tree.file("system/tmp/walk-refused/locked/data", 4000);
    tree.file("system/tmp/walk-refused/visible", 4000);
    tree.file("system/tmp/hidden-lock/data", 4000);
    tree.file("system/tmp/hidden-lock/.lock", 0);
    tree.file("system/tmp/hidden-session/.cache/state", 10);
    tree.file("system/private/var/tmp/old-cache", 5000);
    for (const char* old :
         {"system/tmp/old-file", "system/tmp/old-build/obj/main.o", "system/tmp/old-build/obj",
          "system/tmp/old-build", "system/tmp/busy-build/obj/main.o", "system/tmp/busy-build/obj",
          "system/tmp/busy-build", "system/tmp/walk-refused/locked/data", "system/tmp/walk-refused/locked",
          "system/tmp/walk-refused/visible", "system/tmp/walk-refused", "system/tmp/hidden-lock/data",
          "system/tmp/hidden-lock", "system/tmp/hidden-session/.cache", "system/tmp/hidden-session",
          "system/private/var/tmp/old-cache"})
        tree.setModificationTime(old, now - 30 * day);
    tree.setModificationTime("system/tmp/a-day-old", now - day);
    tree.setModificationTime("system/tmp/not-quite-a-day-old", now - day + 1);
    // A running build: one fresh file deep inside an old folder keeps the whole folder.
    tree.setModificationTime("system/tmp/busy-build/obj/util.o", now - 60);
    // Hidden files go with their folder, so a fresh one keeps it too, even inside a hidden folder.
    tree.setModificationTime("system/tmp/hidden-lock/.lock", now - 60);
    tree.setModificationTime("system/tmp/hidden-session/.cache/state", now - 60);
    auto files = std::make_shared<test::FaultyFileSystem>();
    files->folderOpenErrors[tree.path("system/tmp/walk-refused/locked")] = EACCES;
    auto options = test::fixtureEngineOptions(tree);
    options.now = [&] { return std::chrono::system_clock::from_time_t(now); };
    options.fileSystem = files;

    CategoryResult result = ScanEngine(tree.path("home"), options).scanSystemJunk();
    const std::vector<std::string> names = namesOf(result);
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names.front(), "fresh.log"); // the other folders keep everything
    std::vector<std::string> temporary(names.begin() + 1, names.end() - 1); // in listing order
    std::sort(temporary.begin(), temporary.end());
    EXPECT_EQ(temporary, (std::vector<std::string>{"a-day-old", "old-build", "old-file"}));
    EXPECT_EQ(names.back(), "old-cache");
    EXPECT_EQ(itemNamed(result, "old-build")->size, 4000);
    EXPECT_EQ(result.totalSize, 3000 + 2000 + 2000 + 4000 + 5000);

    // Scanning for another user, none of the temporary entries is theirs.
    options.currentUser = ::getuid() + 1;
    EXPECT_EQ(namesOf(ScanEngine(tree.path("home"), options).scanSystemJunk()),
              std::vector<std::string>{"fresh.log"});
}

// A socket file, as a program listening on it leaves one (made without binding, so any path length will do).
void makeSocket(FixtureTree& tree, const std::string& relative) {
    tree.folder(relative.substr(0, relative.rfind('/')));
    ASSERT_EQ(::mknod(tree.path(relative).c_str(), S_IFSOCK | 0600, 0), 0);
}

TEST(ScanEngineJunk, TemporaryEntriesRestByEveryChangeAndNeverHoldASocket) {
    FixtureTree tree;
    const std::time_t monthAgo = std::time(nullptr) - 30 * 24 * 60 * 60;
    tree.file("system/tmp/plain", 2000);
    // Unpacked a minute ago with its old dates: only the status-change time tells.
    tree.file("system/tmp/unpacked/lib/module.so", 3000);
    for (const char* old : {"system/tmp/plain", "system/tmp/unpacked/lib/module.so",
                            "system/tmp/unpacked/lib", "system/tmp/unpacked"})
        tree.setModificationTime(old, monthAgo);
    // An agent's folder and a lone socket: a live program may listen there, however old they look.
    makeSocket(tree, "system/tmp/ssh-XXXX/agent.1");
    makeSocket(tree, "system/tmp/lone.sock");
    auto options = test::fixtureEngineOptions(tree);
    const Date madeAt = std::chrono::system_clock::now();
    options.now = [&] { return madeAt; };
    EXPECT_EQ(namesOf(ScanEngine(tree.path("home"), options).scanSystemJunk()), std::vector<std::string>{});

    // Three days on, the plain entry and the unpacked tree have rested; the sockets still stay.
    options.now = [&] { return madeAt + std::chrono::hours(72); };
    std::vector<std::string> names = namesOf(ScanEngine(tree.path("home"), options).scanSystemJunk());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"plain", "unpacked"}));
}

TEST(ScanEngineJunk, ATemporaryFolderWhoseWalkMeetsAnotherUsersEntryIsNotOffered) {
    // The owners as the walk reports them, so that this runs for any user; the test below makes them real.
    FixtureTree tree;
    tree.file("system/tmp/plain", 2000);
    tree.file("system/tmp/share/theirs", 4000);
    auto files = std::make_shared<test::FaultyFileSystem>();
    files->foreignOwners[tree.path("system/tmp/share")] = ::getuid() + 1;
    auto options = test::fixtureEngineOptions(tree);
    options.now = [] { return std::chrono::system_clock::now() + std::chrono::hours(72); };
    options.fileSystem = files;
    EXPECT_EQ(namesOf(ScanEngine(tree.path("home"), options).scanSystemJunk()),
              std::vector<std::string>{"plain"});
}

TEST(ScanEngineJunk, ATemporaryFolderHoldingAnythingOfAnotherUserIsNotOffered) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    FixtureTree tree;
    tree.file("system/tmp/plain", 2000);
    tree.file("system/tmp/share/mine", 10);
    tree.file("system/tmp/share/theirs/data", 4000);
    ASSERT_EQ(::chmod(tree.path("system/tmp/share").c_str(), 01777), 0);
    for (const char* theirs : {"system/tmp/share/theirs", "system/tmp/share/theirs/data"})
        ASSERT_EQ(::lchown(tree.path(theirs).c_str(), test::kOtherUser, test::kOtherUser), 0);
    auto options = test::fixtureEngineOptions(tree);
    options.now = [] { return std::chrono::system_clock::now() + std::chrono::hours(72); };
    EXPECT_EQ(namesOf(ScanEngine(tree.path("home"), options).scanSystemJunk()),
              std::vector<std::string>{"plain"});
}

TEST(ScanEngineJunk, UserCacheLeavesOutFoldersOtherCategoriesOffer) {
    FixtureTree tree;
    const std::int64_t fiveGB = 5'000'000'000;
    tree.file("home/Library/Caches/Google/Chrome/Default/Cache/data", fiveGB);
    tree.file("home/Library/Caches/Homebrew/downloads/bottle.tar.gz", 1025);
    tree.file("home/Library/Caches/com.electron.ollama/data", 3000);
    tree.file("home/Library/Caches/ollama/data", 3000);
    tree.file("home/Library/Caches/com.apple.Safari/data", 3000);
    tree.file("home/Library/Caches/Microsoft Edge/data", 3000);
    tree.file("home/Library/Caches/Firefox/Profiles/x/cache2/data", 6000);
    tree.file("home/Library/Caches/com.operasoftware.Opera/data", 7000);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanUserCache();
    std::vector<std::string> names = namesOf(result);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Firefox", "com.operasoftware.Opera"}));
    EXPECT_EQ(result.totalSize, 13'000);

    // A home folder given with a trailing "/" excludes the same folders.
    ScanEngine slashed(tree.path("home") + "/", test::fixtureEngineOptions(tree));
    EXPECT_EQ(slashed.scanUserCache().totalSize, 13'000);
}

TEST(ScanEngineJunk, PackageToolCachesAreWholeItemsFromOneKilobyte) {
    FixtureTree tree;
    tree.file("home/.npm/_cacache/index-v5/aa/bb", 1500);
    tree.file("home/.npm/_cacache/content-v2/sha512/cc", 2500);
    tree.setModificationTime("home/.npm/_cacache", 1'450'000'000);
    tree.file("home/.cache/pip", 1024);
    tree.setModificationTime("home/.cache/pip", 1'460'000'000);
    tree.file("home/.cache/yarn", 1023);
    tree.file("home/Library/Caches/pip/http/wheel", 2000);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanUserCache();
    // The listing's own pip item comes first and stands for the pip cache path it shares.
    EXPECT_EQ(namesOf(result), (std::vector<std::string>{"pip", "_cacache", "pip"}));
    EXPECT_EQ(result.items[0].path, tree.path("home/Library/Caches/pip"));
    EXPECT_EQ(result.items[1].path, tree.path("home/.npm/_cacache"));
    EXPECT_EQ(result.items[1].size, 4000);
    EXPECT_EQ(result.items[1].lastModified, std::chrono::system_clock::from_time_t(1'450'000'000));
    EXPECT_EQ(result.items[2].path, tree.path("home/.cache/pip"));
    EXPECT_EQ(result.items[2].size, 1024);
    EXPECT_EQ(result.items[2].lastModified, std::chrono::system_clock::from_time_t(1'460'000'000));
    EXPECT_EQ(result.totalSize, 7024);
    for (const auto& item : result.items) {
        EXPECT_EQ(item.category, CleaningCategory::userCache);
        EXPECT_TRUE(item.isSelected);
    }
}

TEST(ScanEngineJunk, PackageToolFolderOfExactly1024BytesIsOfferedAndLinksAreNot) {
    FixtureTree tree;
    tree.file("home/.cache/yarn/v6/a", 1000);
    tree.file("home/.cache/yarn/v6/b", 24);
    tree.file("home/.cache/yarn/.tmp", 90'000);
    const std::string longName(250, 'x'); // so that the link's own size passes 1,024 bytes
    const std::string bigFile = tree.file("home/elsewhere/" + longName + "/" + longName + "/" + longName +
                                              "/" + longName + "/" + longName,
                                          90'000);
    tree.file("home/elsewhere/folder/big", 90'000);
    tree.symlink("home/.cache/pip", bigFile);
    tree.symlink("home/.cache/pnpm", tree.path("home/elsewhere/folder"));
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanUserCache();
    ASSERT_EQ(namesOf(result), (std::vector<std::string>{"yarn"}));
    EXPECT_EQ(result.items[0].size, 1024);
}

TEST(ScanEngineJunk, PipInTheCacheFolderIsOfferedOnceEvenWhenTheListingDropsIt) {
    FixtureTree tree;
    tree.file("home/Library/Caches/pip/a", 1024); // too small for the listing, enough as a package cache
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanUserCache();
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_EQ(result.items[0].path, tree.path("home/Library/Caches/pip"));
    EXPECT_EQ(result.totalSize, 1024);
}

TEST(ScanEngineJunk, TotalsSaturateInsteadOfOverflowing) {
    FixtureTree tree;
    tree.folder("home/Library/Caches/huge-a");
    tree.folder("home/Library/Caches/huge-b");
    auto files = std::make_shared<test::FaultyFileSystem>();
    const std::int64_t max = std::numeric_limits<std::int64_t>::max();
    files->directorySizes[tree.path("home/Library/Caches/huge-a")] = max - 10;
    files->directorySizes[tree.path("home/Library/Caches/huge-b")] = max - 10;
    auto options = test::fixtureEngineOptions(tree);
    options.fileSystem = files;
    ScanEngine engine(tree.path("home"), options);

    CategoryResult result = engine.scanUserCache();
    EXPECT_EQ(result.items.size(), 2u);
    EXPECT_EQ(result.totalSize, max);
}

TEST(ScanEngineJunk, MailDownloadsFromBothFoldersInOrder) {
    FixtureTree tree;
    tree.file("home/Library/Mail Downloads/B1F2/contract.pdf", 80'000);
    tree.file("home/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/photo.jpg", 90'000);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanMailAttachments();
    EXPECT_EQ(result.category, CleaningCategory::mailAttachments);
    EXPECT_EQ(namesOf(result), (std::vector<std::string>{"B1F2", "photo.jpg"}));
    EXPECT_EQ(result.totalSize, 170'000);
    ASSERT_NE(itemNamed(result, "photo.jpg"), nullptr);
    EXPECT_EQ(itemNamed(result, "photo.jpg")->path,
              tree.path("home/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/photo.jpg"));
}

TEST(ScanEngineJunk, TrashListsItsEntriesAndAnEmptyHomeGivesNothing) {
    FixtureTree tree;
    tree.folder("home");
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    for (CategoryResult result : {engine.scanTrash(), engine.scanSystemJunk(), engine.scanUserCache(),
                                  engine.scanMailAttachments()}) {
        EXPECT_TRUE(result.items.empty());
        EXPECT_EQ(result.totalSize, 0);
    }
    EXPECT_TRUE(log.entries().empty());

    tree.file("home/.local/share/Trash/files/.DS_Store", 6148);
    tree.file("home/.local/share/Trash/files/movie.mov", 700'000'000);
    tree.textFile("home/.local/share/Trash/info/movie.mov.trashinfo", "[Trash Info]\n");
    tree.file("home/.Trash/old.mov", 9000); // no Linux program fills it
    CategoryResult result = engine.scanTrash();
    EXPECT_EQ(result.category, CleaningCategory::trashBins);
    EXPECT_EQ(namesOf(result), (std::vector<std::string>{".DS_Store", "movie.mov"}));
    EXPECT_EQ(itemNamed(result, "movie.mov")->path, tree.path("home/.local/share/Trash/files/movie.mov"));
    EXPECT_EQ(result.totalSize, 700'006'148);
}

TEST(ScanEngineJunk, TheTrashIsWhereTheDataHomeSaysAndNeverBehindALink) {
    FixtureTree tree;
    tree.file("home/.local/share/Trash/files/home.bin", 2000);
    tree.file("data/Trash/files/data.bin", 3000);
    auto options = test::fixtureEngineOptions(tree);
    options.dataHome = tree.path("data");
    EXPECT_EQ(namesOf(ScanEngine(tree.path("home"), options).scanTrash()),
              std::vector<std::string>{"data.bin"});
    options.dataHome = tree.path("data") + "/./";
    EXPECT_EQ(namesOf(ScanEngine(tree.path("home"), options).scanTrash()),
              std::vector<std::string>{"data.bin"});

    // The Trash, its "files" folder, or a folder on the way to it that leads elsewhere: nothing.
    tree.file("outside/share/Trash/files/linked.bin", 4000);
    tree.symlink("linked-share/.local/share", tree.path("outside/share"));
    tree.symlink("linked-trash/.local/share/Trash", tree.path("outside/share/Trash"));
    tree.symlink("linked-files/.local/share/Trash/files", tree.path("outside/share/Trash/files"));
    tree.symlink("linked-local/.local", tree.path("outside"));
    for (const char* home : {"linked-local", "linked-share", "linked-trash", "linked-files"}) {
        const CategoryResult result =
            ScanEngine(tree.path(home), test::fixtureEngineOptions(tree)).scanTrash();
        EXPECT_TRUE(result.items.empty()) << home;
    }
    tree.symlink("linked-data", tree.path("data"));
    options.dataHome = tree.path("linked-data");
    EXPECT_TRUE(ScanEngine(tree.path("home"), options).scanTrash().items.empty());
}

TEST(ScanEngineJunk, ATrashThatIsNotTheUsersAloneOffersNothing) {
    // A data home of another user's, or a Trash that others may change, holds entries that need not be
    // the user's.
    FixtureTree tree;
    tree.file("data/Trash/files/theirs.bin", 2000);
    tree.textFile("data/Trash/info/theirs.bin.trashinfo", "[Trash Info]\n");
    auto options = test::fixtureEngineOptions(tree);
    options.dataHome = tree.path("data");
    const auto offered = [&] { return namesOf(ScanEngine(tree.path("home"), options).scanTrash()); };
    ASSERT_EQ(offered(), std::vector<std::string>{"theirs.bin"});
    options.currentUser = ::getuid() + 1;
    EXPECT_TRUE(offered().empty());
    options.currentUser = ::getuid();
    for (const char* folder : {"data/Trash", "data/Trash/files", "data/Trash/info"}) {
        test::ScopedMode shared(tree.path(folder), 0777);
        EXPECT_TRUE(offered().empty()) << folder;
    }
}

TEST(ScanEngineJunk, UnreadableTrashGivesAnEmptyResultWithoutALogLine) {
    FixtureTree tree;
    tree.file("home/.local/share/Trash/files/movie.mov", 700'000);
    auto files = std::make_shared<test::FaultyFileSystem>();
    files->unreadablePaths.insert(tree.path("home/.local/share/Trash/files"));
    auto options = test::fixtureEngineOptions(tree);
    options.fileSystem = files;
    ScanEngine engine(tree.path("home"), options);
    test::LogCapture log;

    EXPECT_TRUE(engine.scanTrash().items.empty());
    EXPECT_TRUE(log.entries().empty());
}

} // namespace
} // namespace zn
