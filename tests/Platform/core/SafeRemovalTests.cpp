#include "Platform/core/PathResolution.h"
#include "Platform/core/SafeRemoval.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"
#include "support/ScopedBindMount.h"
#include "support/ScriptedFileOperations.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zn {
namespace {

bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

using Scope = SafeRemoval::Scope;

class SafeRemovalTest : public ::testing::Test {
protected:
    // Paths handed to the removal are fully resolved, as the engine hands them.
    std::string at(const std::string& relative) { return resolvingSymlinksInPath(tree.path(relative)); }

    test::FixtureTree tree;
    std::shared_ptr<test::ScriptedFileOperations> operations =
        std::make_shared<test::ScriptedFileOperations>();
    SafeRemoval removal{operations};
};

TEST_F(SafeRemovalTest, RemovesFilesAndWholeTreesWithLinksAsLinks) {
    tree.file("outside/kept.txt", 5);
    tree.file("outside/folder/inner.txt", 5);
    tree.file("cache/app/data.bin", 100);
    tree.file("cache/app/a/b/c/deep.txt", 1);
    tree.symlink("cache/app/to-folder", tree.path("outside/folder"));
    tree.symlink("cache/app/a/to-file", tree.path("outside/kept.txt"));
    tree.symlink("cache/app/dangling", tree.path("nowhere"));
    tree.file("cache/single.log", 3);

    EXPECT_TRUE(removal.removeItem(at("cache/single.log"), Scope::wholeItem).succeeded());
    EXPECT_FALSE(exists(tree.path("cache/single.log")));

    EXPECT_TRUE(removal.removeItem(at("cache/app"), Scope::wholeItem).succeeded());
    EXPECT_FALSE(exists(tree.path("cache/app")));
    EXPECT_TRUE(exists(tree.path("outside/kept.txt")));
    EXPECT_TRUE(exists(tree.path("outside/folder/inner.txt")));
    EXPECT_TRUE(exists(tree.path("cache")));
}

TEST_F(SafeRemovalTest, DeepTreesNeedNoRecursion) {
    std::string relative = "deep";
    for (int level = 0; level < 200; ++level)
        relative += "/d";
    tree.file(relative + "/leaf", 1);
    EXPECT_TRUE(removal.removeItem(at("deep"), Scope::wholeItem).succeeded());
    EXPECT_FALSE(exists(tree.path("deep")));
}

TEST_F(SafeRemovalTest, RefusesPathsThatAreNotInFinalForm) {
    tree.file("a/b/file", 1);
    const std::string base = at("a");
    for (const std::string& path : {std::string("/"), std::string(""), std::string("a/b/file"),
                                    base + "/b/../b/file", base + "/./b/file", base + "//b/file",
                                    base + "/b/file/", base + "/b/file" + std::string(1, '\0') + "x"}) {
        RemovalResult result = removal.removeItem(path, Scope::wholeItem);
        EXPECT_EQ(result.errorNumber, EINVAL) << path;
    }
    EXPECT_TRUE(exists(tree.path("a/b/file")));
}

TEST_F(SafeRemovalTest, NeverWalksThroughALinkOnThePath) {
    tree.file("real/folder/file", 1);
    tree.symlink("swapped", tree.path("real/folder"));
    // As if "swapped" had been a folder when the path was checked and a link when it is removed.
    RemovalResult result =
        removal.removeItem(resolvingSymlinksInPath(tree.root()) + "/swapped/file", Scope::wholeItem);
    EXPECT_EQ(result.errorNumber, ELOOP);
    EXPECT_EQ(result.description, "A folder on its path is a symbolic link");
    EXPECT_TRUE(exists(tree.path("real/folder/file")));
}

TEST_F(SafeRemovalTest, RegularFileScopeRemovesOnlyRegularFiles) {
    tree.file("docs/thesis/chapter.txt", 10);
    tree.symlink("downloads/link", tree.path("docs/thesis"));
    tree.file("downloads/movie.mov", 10);

    RemovalResult folder = removal.removeItem(at("docs/thesis"), Scope::regularFileOnly);
    EXPECT_EQ(folder.errorNumber, EINVAL);
    EXPECT_EQ(folder.description, "It is not a regular file");
    RemovalResult link =
        removal.removeItem(resolvingSymlinksInPath(tree.path("downloads")) + "/link", Scope::regularFileOnly);
    EXPECT_EQ(link.errorNumber, EINVAL);
    EXPECT_TRUE(exists(tree.path("docs/thesis/chapter.txt")));
    EXPECT_TRUE(exists(tree.path("downloads/link")));

    EXPECT_TRUE(removal.removeItem(at("downloads/movie.mov"), Scope::regularFileOnly).succeeded());
    EXPECT_FALSE(exists(tree.path("downloads/movie.mov")));
}

TEST_F(SafeRemovalTest, PermissionFailuresKeepTheirErrno) {
    tree.file("cache/app/locked.db", 1);
    tree.file("cache/owned/file", 1);
    operations->removeFailures["locked.db"] = EACCES;
    operations->openFailures["owned"] = EPERM;

    EXPECT_EQ(removal.removeItem(at("cache/app"), Scope::wholeItem).errorNumber, EACCES);
    EXPECT_TRUE(exists(tree.path("cache/app/locked.db")));
    EXPECT_EQ(removal.removeItem(at("cache/owned"), Scope::wholeItem).errorNumber, EPERM);
    EXPECT_TRUE(exists(tree.path("cache/owned/file")));
}

TEST_F(SafeRemovalTest, NeverEntersAnotherMountedFileSystem) {
    tree.file("cache/app/mnt/other-fs-file", 1);
    tree.file("cache/app/bind/bound-file", 1);
    tree.file("cache/volume/file", 1);
    operations->foreignDevices["mnt"] = makedev(250, 7);
    operations->mountRoots.insert("bind");

    RemovalResult crossing = removal.removeItem(at("cache/app"), Scope::wholeItem);
    EXPECT_EQ(crossing.errorNumber, EXDEV);
    EXPECT_EQ(crossing.description, "It holds another mounted file system, which is left untouched");
    EXPECT_TRUE(exists(tree.path("cache/app/mnt/other-fs-file")));
    EXPECT_TRUE(exists(tree.path("cache/app/bind/bound-file")));

    operations->mountRoots.insert("volume");
    RemovalResult mountPoint = removal.removeItem(at("cache/volume"), Scope::wholeItem);
    EXPECT_EQ(mountPoint.errorNumber, EXDEV);
    EXPECT_TRUE(exists(tree.path("cache/volume/file")));
}

TEST_F(SafeRemovalTest, AnotherMountOfTheSameDeviceIsToldByItsMountId) {
    tree.file("cache/app/bound/file", 1);
    tree.file("cache/volume/file", 1);
    // A bind mount of the same file system: same device, different mount, and not always flagged as a root.
    operations->foreignMountIds["bound"] = 987654321;
    EXPECT_EQ(removal.removeItem(at("cache/app"), Scope::wholeItem).errorNumber, EXDEV);
    EXPECT_TRUE(exists(tree.path("cache/app/bound/file")));
    operations->foreignMountIds["volume"] = 987654321;
    EXPECT_EQ(removal.removeItem(at("cache/volume"), Scope::wholeItem).errorNumber, EXDEV);
    EXPECT_TRUE(exists(tree.path("cache/volume/file")));
}

TEST_F(SafeRemovalTest, BelowTheAllowedPlaceEveryFolderOnTheWayAndTheItemKeepToItsMount) {
    tree.file("cache/bound/a", 1);
    tree.file("cache/bound/sub/file", 1);
    tree.file("cache/own", 1);
    const std::string place = at("cache");
    // Another mount of the same device on the way: not the item, so only the walk can see it.
    operations->foreignMountIds["bound"] = 987654321;
    for (const char* relative : {"cache/bound/a", "cache/bound/sub", "cache/bound/sub/file"}) {
        RemovalResult refused = removal.removeItem(at(relative), Scope::wholeItem, {.allowedPlace = place});
        EXPECT_EQ(refused.errorNumber, EXDEV) << relative;
        EXPECT_EQ(refused.description, "A folder on its path lies on another mount, which is left untouched");
        EXPECT_TRUE(exists(tree.path(relative))) << relative;
    }
    // An item that is itself a mount (a file can be bind-mounted too).
    operations->mountRoots.insert("own");
    RemovalResult mounted = removal.removeItem(at("cache/own"), Scope::wholeItem, {.allowedPlace = place});
    EXPECT_EQ(mounted.errorNumber, EXDEV);
    EXPECT_EQ(mounted.description, "It lies on another mount, which is left untouched");
    EXPECT_TRUE(exists(tree.path("cache/own")));
    // The place must hold the path, and above it any mount will do.
    operations->mountRoots.clear();
    EXPECT_EQ(removal.removeItem(at("cache/own"), Scope::wholeItem, {.allowedPlace = at("cache/bound")})
                  .errorNumber,
              EINVAL);
    EXPECT_EQ(
        removal.removeItem(at("cache/own"), Scope::wholeItem, {.allowedPlace = place + "/"}).errorNumber,
        EINVAL);
    tree.file("cache/app/data", 1);
    operations->foreignMountIds = {{"cache", 987654321}};
    EXPECT_TRUE(removal.removeItem(at("cache/app/data"), Scope::wholeItem, {.allowedPlace = at("cache/app")})
                    .succeeded());
    EXPECT_FALSE(exists(tree.path("cache/app/data")));
}

TEST_F(SafeRemovalTest, ABindMountBelowTheAllowedPlaceIsNeverCrossed) {
    tree.file("elsewhere/a", 1);
    tree.file("elsewhere/sub/file", 1);
    tree.file("cache/own", 1);
    tree.folder("cache/bm");
    test::ScopedBindMount bind(tree.path("elsewhere"), tree.path("cache/bm"));
    if (bind.error() == EPERM)
        GTEST_SKIP() << test::kNeedsRootToBindMount;
    ASSERT_EQ(bind.error(), 0);

    const std::string place = at("cache");
    for (const char* relative : {"cache/bm/a", "cache/bm/sub", "cache/bm/sub/file", "cache/bm"})
        EXPECT_EQ(removal.removeItem(at(relative), Scope::wholeItem, {.allowedPlace = place}).errorNumber,
                  EXDEV)
            << relative;
    EXPECT_TRUE(exists(tree.path("elsewhere/a")));
    EXPECT_TRUE(exists(tree.path("elsewhere/sub/file")));
    EXPECT_TRUE(removal.removeItem(at("cache/own"), Scope::wholeItem, {.allowedPlace = place}).succeeded());
    EXPECT_FALSE(exists(tree.path("cache/own")));

    // A place that is a mount of its own: everything inside it lies on that mount.
    EXPECT_TRUE(removal.removeItem(at("cache/bm/sub"), Scope::wholeItem, {.allowedPlace = at("cache/bm")})
                    .succeeded());
    EXPECT_FALSE(exists(tree.path("elsewhere/sub")));
}

TEST_F(SafeRemovalTest, ARequiredOwnerIsCheckedOnTheEntryItself) {
    const std::string mine = tree.file("shared/mine", 1);
    const std::string folder = tree.file("shared/folder/inside", 1);
    const uid_t someoneElse = ::getuid() + 1;
    for (const char* relative : {"shared/mine", "shared/folder"}) {
        RemovalResult refused = removal.removeItem(at(relative), Scope::wholeItem, {someoneElse});
        EXPECT_EQ(refused.errorNumber, EPERM) << relative;
        EXPECT_EQ(refused.description, "It belongs to another user");
    }
    EXPECT_TRUE(exists(mine));
    EXPECT_TRUE(exists(folder));
    EXPECT_TRUE(removal.removeItem(at("shared/mine"), Scope::wholeItem, {::getuid()}).succeeded());
    EXPECT_FALSE(exists(mine));
}

TEST_F(SafeRemovalTest, ARequiredOwnerIsCheckedOnEveryEntryInside) {
    // Another user's entry at any depth (as the status call reports its owner) stops the removal first.
    const std::string deep = tree.file("shared/mine/sub/theirs/data", 1);
    const std::string loose = tree.file("shared/also-mine/theirs.txt", 1);
    operations->foreignOwners = {{"theirs", ::getuid() + 1}, {"theirs.txt", ::getuid() + 1}};
    for (const char* relative : {"shared/mine", "shared/also-mine"}) {
        RemovalResult refused = removal.removeItem(at(relative), Scope::wholeItem, {::getuid()});
        EXPECT_EQ(refused.errorNumber, EPERM) << relative;
        EXPECT_EQ(refused.description, "It holds an entry of another user");
    }
    EXPECT_TRUE(exists(deep));
    EXPECT_TRUE(exists(loose));
    // Without an owner to keep to, the same folder goes whole.
    EXPECT_TRUE(removal.removeItem(at("shared/mine"), Scope::wholeItem).succeeded());
    EXPECT_FALSE(exists(tree.path("shared/mine")));
}

TEST_F(SafeRemovalTest, EntriesOfOtherPeopleStayWithTheFoldersHoldingThemAndTheRestGoes) {
    tree.file("cache/app/a/b/theirs/data", 1);
    tree.file("cache/app/a/b/mine.txt", 1);
    tree.file("cache/app/a/sibling/x", 1);
    tree.file("cache/app/service.pid", 1);
    tree.file("cache/app/their-note", 1);
    tree.file("cache/lone", 1);
    // A person's entries (as the status call reports their owner), and a service account's, which is none.
    operations->foreignOwners = {{"theirs", test::kOtherPerson},
                                 {"their-note", test::kOtherPerson},
                                 {"lone", test::kOtherPerson},
                                 {"service.pid", test::kSystemAccount}};
    const RemovalLimits keeping{.keepEntriesOf = OtherPeople(::getuid(), People{})};

    const RemovalResult folder = removal.removeItem(at("cache/app"), Scope::wholeItem, keeping);
    EXPECT_TRUE(folder.keptEntriesOfOthers());
    EXPECT_FALSE(folder.succeeded());
    std::set<std::string> kept;
    for (const KeptEntry& entry : folder.keptEntries)
        kept.insert(entry.path);
    EXPECT_EQ(kept, (std::set<std::string>{at("cache/app/a/b/theirs"), at("cache/app/their-note")}));
    EXPECT_TRUE(exists(tree.path("cache/app/a/b/theirs/data")));
    EXPECT_TRUE(exists(tree.path("cache/app/their-note")));
    for (const char* gone : {"cache/app/a/b/mine.txt", "cache/app/a/sibling", "cache/app/service.pid"})
        EXPECT_FALSE(exists(tree.path(gone))) << gone;

    const RemovalResult item = removal.removeItem(at("cache/lone"), Scope::wholeItem, keeping);
    EXPECT_EQ(item.keptEntries, std::vector<KeptEntry>{{at("cache/lone")}});
    EXPECT_EQ(item.description, at("cache/lone") + " was kept: it belongs to another user");
    EXPECT_TRUE(exists(tree.path("cache/lone")));
}

TEST_F(SafeRemovalTest, AnotherUsersEntryGoesOnlyForThatUser) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    const std::string theirs = tree.file("shared/theirs", 1);
    ASSERT_EQ(::lchown(theirs.c_str(), test::kOtherUser, test::kOtherUser), 0);
    EXPECT_EQ(removal.removeItem(at("shared/theirs"), Scope::wholeItem, {::getuid()}).errorNumber, EPERM);
    EXPECT_TRUE(exists(theirs));
    EXPECT_TRUE(removal.removeItem(at("shared/theirs"), Scope::wholeItem, {test::kOtherUser}).succeeded());
    EXPECT_FALSE(exists(theirs));

    // Inside a folder of one's own, at any depth, another user's entry stops the removal before it goes.
    const std::string deep = tree.file("shared/mine/sub/theirs/data", 1);
    const std::string loose = tree.file("shared/also-mine/theirs.txt", 1);
    ASSERT_EQ(::lchown(tree.path("shared/mine/sub/theirs").c_str(), test::kOtherUser, test::kOtherUser), 0);
    ASSERT_EQ(::lchown(loose.c_str(), test::kOtherUser, test::kOtherUser), 0);
    for (const char* relative : {"shared/mine", "shared/also-mine"}) {
        RemovalResult refused = removal.removeItem(at(relative), Scope::wholeItem, {::getuid()});
        EXPECT_EQ(refused.errorNumber, EPERM) << relative;
        EXPECT_EQ(refused.description, "It holds an entry of another user");
    }
    EXPECT_TRUE(exists(deep));
    EXPECT_TRUE(exists(loose));
}

TEST_F(SafeRemovalTest, AFolderThatMayOnlyBePassedThroughIsNoObstacle) {
    // /home/<user> is often 0711: others may pass through but not list it. Here its owner may do no more.
    tree.file("passage/mine/file", 1);
    const std::string file = at("passage/mine/file");
    test::ScopedMode passOnly(tree.path("passage"), 0111);
    const int status = test::exitStatusWithoutPrivileges([&] {
        SafeRemoval own(std::make_shared<SystemRemovalFileOperations>());
        return own.removeItem(file, Scope::wholeItem).errorNumber;
    });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(exists(tree.path("passage/mine/file")));
}

TEST_F(SafeRemovalTest, MissingTargetFails) {
    tree.folder("cache");
    EXPECT_EQ(removal.removeItem(at("cache") + "/gone", Scope::wholeItem).errorNumber, ENOENT);
    EXPECT_EQ(removal.removeItem(at("cache") + "/no/such/folder", Scope::wholeItem).errorNumber, ENOENT);
}

} // namespace
} // namespace zn
