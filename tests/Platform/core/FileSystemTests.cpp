#include "Platform/core/FileSystem.h"
#include "support/FaultyFileSystem.h"
#include "support/FixtureTree.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::FixtureTree;

TEST(FileSystem, ExistenceFollowsLinksAndAttributesDoNot) {
    FixtureTree tree;
    tree.file("cache/data.bin", 3000);
    tree.setModificationTime("cache/data.bin", 1'600'000'000);
    tree.symlink("cache/folder-link", tree.path("cache"));
    tree.symlink("cache/dangling", tree.path("cache/gone"));
    PosixFileSystem files;

    EXPECT_TRUE(files.fileExists(tree.path("cache")).isDirectory);
    EXPECT_TRUE(files.fileExists(tree.path("cache/folder-link")).isDirectory);
    EXPECT_FALSE(files.fileExists(tree.path("cache/dangling")).exists);

    auto file = files.attributesOfItem(tree.path("cache/data.bin")).attributes;
    ASSERT_TRUE(file);
    EXPECT_EQ(file->type, FileType::regular);
    EXPECT_EQ(file->size, 3000);
    EXPECT_EQ(file->modificationDate, std::chrono::system_clock::from_time_t(1'600'000'000));
    EXPECT_EQ(files.attributesOfItem(tree.path("cache/folder-link")).attributes->type,
              FileType::symbolicLink);
    EXPECT_EQ(files.attributesOfItem(tree.path("cache/dangling")).attributes->type, FileType::symbolicLink);

    // Past either end of the clock's range a date stops at that end instead of wrapping around.
    tree.setModificationTime("cache/data.bin", 10'413'792'000); // 2300-01-01
    EXPECT_EQ(files.attributesOfItem(tree.path("cache/data.bin")).attributes->modificationDate, Date::max());
    EXPECT_EQ(dateFromUnixTime(-14'200'000'000), Date::min()); // 1520: most file systems cannot hold it
    EXPECT_EQ(dateFromUnixTime(1'600'000'000, 5),
              std::chrono::system_clock::from_time_t(1'600'000'000) + std::chrono::nanoseconds(5));

    AttributesReading missing = files.attributesOfItem(tree.path("cache/none"));
    EXPECT_FALSE(missing.attributes);
    EXPECT_EQ(missing.errorCode, ENOENT);
    EXPECT_EQ(fileErrorDescription(missing.errorCode), "No such file or directory");
    EXPECT_TRUE(files.isReadable(tree.path("cache/data.bin")));
    EXPECT_FALSE(files.isReadable(tree.path("cache/none")));
}

TEST(FileSystem, ExecutableFilesOnly) {
    FixtureTree tree;
    const std::string tool = tree.executable("bin/tool", "#!/bin/sh\n");
    tree.symlink("bin/tool-link", tool);
    tree.file("bin/plain", 10);
    tree.folder("bin/folder");
    PosixFileSystem files;

    EXPECT_TRUE(files.isExecutableFile(tool));
    EXPECT_TRUE(files.isExecutableFile(tree.path("bin/tool-link")));
    EXPECT_FALSE(files.isExecutableFile(tree.path("bin/plain")));
    EXPECT_FALSE(files.isExecutableFile(tree.path("bin/folder")));
    EXPECT_FALSE(files.isExecutableFile(tree.path("bin/missing")));
}

TEST(FileSystem, ListingIsOneLevelWithHiddenNames) {
    FixtureTree tree;
    tree.file("Caches/.hidden", 10);
    tree.file("Caches/app/inner", 10);
    tree.file("Caches/log.txt", 10);
    tree.symlink("link-to-caches", tree.path("Caches"));
    PosixFileSystem files;

    DirectoryListing listing = files.contentsOfDirectory(tree.path("link-to-caches"));
    ASSERT_TRUE(listing.listed);
    std::sort(listing.names.begin(), listing.names.end());
    EXPECT_EQ(listing.names, (std::vector<std::string>{".hidden", "app", "log.txt"}));

    DirectoryListing missing = files.contentsOfDirectory(tree.path("none"));
    EXPECT_FALSE(missing.listed);
    EXPECT_EQ(missing.errorCode, ENOENT);

    test::FaultyFileSystem faulty;
    faulty.folderOpenErrors[tree.path("Caches")] = EACCES;
    DirectoryListing refused = faulty.contentsOfDirectory(tree.path("Caches"));
    EXPECT_FALSE(refused.listed);
    EXPECT_EQ(fileErrorDescription(refused.errorCode), "Permission denied");
}

TEST(FileSystem, DirectorySizeSumsVisibleRegularFilesWithoutFollowingLinks) {
    FixtureTree tree;
    tree.file(".npm/_cacache/index/a", 1000);
    tree.file(".npm/_cacache/content/b/c", 2000);
    tree.file(".npm/_cacache/.hidden-file", 50'000);
    tree.file(".npm/_cacache/.hidden-folder/big", 70'000);
    tree.file("elsewhere/big", 1'000'000);
    tree.symlink(".npm/_cacache/file-link", tree.path("elsewhere/big"));
    tree.symlink(".npm/_cacache/folder-link", tree.path("elsewhere"));
    tree.symlink(".npm/_cacache/dangling", tree.path("elsewhere/gone"));
    tree.symlink("root-link", tree.path("elsewhere"));
    PosixFileSystem files;

    // The root lies inside a hidden folder; only entries below it are judged hidden.
    EXPECT_EQ(files.directorySize(tree.path(".npm/_cacache")), 3000);
    EXPECT_EQ(files.directorySize(tree.path(".npm/_cacache/")), 3000);
    EXPECT_EQ(files.directorySize(tree.path(".npm")), 3000);
    EXPECT_EQ(files.directorySize(tree.path("root-link")), 0);
    EXPECT_EQ(files.directorySize(tree.path("elsewhere/big")), 0);
    EXPECT_EQ(files.directorySize(tree.path("none")), 0);
}

TEST(FileSystem, DirectorySizeStopsAfterTenThousandEntries) {
    FixtureTree tree;
    // Two folders of 6,000 one-byte files: whichever comes first, the first 10,000 entries are that folder,
    // its 6,000 files, the other folder and 3,998 of its files.
    for (int i = 0; i < 6000; ++i) {
        tree.file("big/a/f" + std::to_string(i), 1);
        tree.file("big/b/f" + std::to_string(i), 1);
    }
    PosixFileSystem files;
    EXPECT_EQ(files.directorySize(tree.path("big")), 9998);
    EXPECT_EQ(files.directorySize(tree.path("big/a")), 6000);
    EXPECT_FALSE(files.walkDirectory(tree.path("big")).complete);
    EXPECT_TRUE(files.walkDirectory(tree.path("big/a")).complete);
}

TEST(FileSystem, TheWalkTellsTheNewestChangeItSawAndWhetherItSawEverything) {
    FixtureTree tree;
    tree.file("t/a", 10);
    tree.file("t/sub/b", 20);
    tree.file("t/.hidden", 30);
    tree.symlink("t/link", tree.path("elsewhere"));
    tree.setModificationTime("t/a", 1'000);
    tree.setModificationTime("t/sub/b", 2'000);
    tree.setModificationTime("t/sub", 1'500);
    tree.setModificationTime("t/.hidden", 900); // visited: it would go with the folder
    tree.setModificationTime("t/link", 500);
    tree.setModificationTime("t", 1'200);
    const auto at = [](std::time_t seconds) { return std::chrono::system_clock::from_time_t(seconds); };
    test::FaultyFileSystem files;

    DirectoryWalk walk = files.walkDirectory(tree.path("t"));
    EXPECT_EQ(walk.size, 60);
    EXPECT_EQ(walk.newestModification, at(2'000));
    EXPECT_TRUE(walk.complete);
    tree.setModificationTime("t/link", 3'000); // the link itself, never its target
    EXPECT_EQ(files.walkDirectory(tree.path("t")).newestModification, at(3'000));
    tree.setModificationTime("t", 4'000); // the root's own time counts too
    EXPECT_EQ(files.walkDirectory(tree.path("t")).newestModification, at(4'000));
    tree.setModificationTime("t/.hidden", 9'000);
    EXPECT_EQ(files.walkDirectory(tree.path("t")).newestModification, at(9'000));
    EXPECT_EQ(files.directorySize(tree.path("t")), 30); // sizes still leave hidden files out

    files.folderOpenErrors[tree.path("t/sub")] = EACCES;
    EXPECT_FALSE(files.walkDirectory(tree.path("t")).complete);
    EXPECT_FALSE(files.walkDirectory(tree.path("none")).complete);
}

TEST(FileSystem, DirectorySizeSurvivesFoldersThatCannotBeOpened) {
    FixtureTree tree;
    tree.file("Caches/open/a", 1000);
    tree.file("Caches/refused/b", 500);
    tree.file("Caches/refused/deeper/c", 700);
    tree.file("Caches/z", 30);
    test::FaultyFileSystem files;
    files.folderOpenErrors[tree.path("Caches/refused")] = EACCES;

    EXPECT_EQ(files.directorySize(tree.path("Caches")), 1030);
    files.folderOpenErrors[tree.path("Caches")] = EPERM;
    EXPECT_EQ(files.directorySize(tree.path("Caches")), 0);
}

} // namespace
} // namespace zn
