#include "Platform/core/HomeTrash.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {
namespace {

bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

TEST(HomeTrash, LiesInTheDataHomeWhenThatIsAnAbsolutePath) {
    EXPECT_EQ(dataHomeFromVariable(nullptr), std::nullopt);
    EXPECT_EQ(dataHomeFromVariable(""), std::nullopt);
    EXPECT_EQ(dataHomeFromVariable("relative/share"), std::nullopt);
    EXPECT_EQ(dataHomeFromVariable("~/share"), std::nullopt);
    EXPECT_EQ(dataHomeFromVariable("/srv/data"), "/srv/data");

    const HomeTrash usual("/home/u", std::nullopt);
    EXPECT_EQ(usual.folder(), "/home/u/.local/share/Trash");
    EXPECT_EQ(usual.filesFolder(), "/home/u/.local/share/Trash/files");
    EXPECT_EQ(usual.infoFolder(), "/home/u/.local/share/Trash/info");
    EXPECT_EQ(HomeTrash("/home/u", "/srv//data/./x/../").folder(), "/srv/data/Trash");

    EXPECT_TRUE(usual.holdsEntry("/home/u/.local/share/Trash/files/a b"));
    EXPECT_FALSE(usual.holdsEntry("/home/u/.local/share/Trash/files"));
    EXPECT_FALSE(usual.holdsEntry("/home/u/.local/share/Trash/files/"));
    EXPECT_FALSE(usual.holdsEntry("/home/u/.local/share/Trash/files/a/b"));
    EXPECT_FALSE(usual.holdsEntry("/home/u/.local/share/Trash/filesX/a"));
    EXPECT_FALSE(usual.holdsEntry("/home/u/.local/share/Trash/info/a.trashinfo"));
}

TEST(HomeTrash, AnEntryThatIsGoneTakesOnlyItsOwnRegularRecordAlong) {
    test::FixtureTree tree;
    const HomeTrash trash(tree.folder("home"), std::nullopt);
    const std::string info = trash.infoFolder() + "/";
    tree.file("home/.local/share/Trash/files/kept", 10);
    tree.textFile("home/.local/share/Trash/info/kept.trashinfo", "[Trash Info]\n");
    tree.textFile("home/.local/share/Trash/info/gone.trashinfo", "[Trash Info]\n");
    tree.textFile("home/.local/share/Trash/info/gone.trashinfo.trashinfo", "[Trash Info]\n");

    EXPECT_EQ(trash.forgetRemovedEntry("kept"), EEXIST);
    EXPECT_TRUE(exists(info + "kept.trashinfo"));
    EXPECT_EQ(trash.forgetRemovedEntry("gone"), 0);
    EXPECT_FALSE(exists(info + "gone.trashinfo"));
    EXPECT_TRUE(exists(info + "gone.trashinfo.trashinfo"));
    EXPECT_EQ(trash.forgetRemovedEntry("never-had-one"), 0);
    for (const char* name : {"", ".", "..", "../info/kept", "a/b"})
        EXPECT_EQ(trash.forgetRemovedEntry(name), EINVAL) << name;
    EXPECT_TRUE(exists(info + "kept.trashinfo"));

    // A record that is a link or a folder stays, and so does what the link leads to.
    const std::string target = tree.textFile("outside/precious", "keep");
    tree.symlink("home/.local/share/Trash/info/linked.trashinfo", target);
    tree.file("home/.local/share/Trash/info/folder.trashinfo/inside", 1);
    EXPECT_EQ(trash.forgetRemovedEntry("linked"), EPERM);
    EXPECT_EQ(trash.forgetRemovedEntry("folder"), EPERM);
    EXPECT_TRUE(exists(info + "linked.trashinfo"));
    EXPECT_TRUE(exists(target));
    EXPECT_TRUE(exists(info + "folder.trashinfo/inside"));
}

TEST(HomeTrash, ATrashBehindALinkIsNeverReachedThrough) {
    test::FixtureTree tree;
    tree.textFile("outside/Trash/info/x.trashinfo", "[Trash Info]\n");
    tree.folder("outside/Trash/files");
    EXPECT_TRUE(HomeTrash(tree.path("outside"), std::string(tree.path("outside"))).isReachedWithoutLinks());

    tree.symlink("linked-share/.local/share", tree.path("outside"));
    tree.symlink("linked-trash/.local/share/Trash", tree.path("outside/Trash"));
    for (const char* home : {"linked-share", "linked-trash"}) {
        const HomeTrash trash(tree.path(home), std::nullopt);
        EXPECT_FALSE(trash.isReachedWithoutLinks()) << home;
        EXPECT_NE(trash.forgetRemovedEntry("x"), 0) << home;
        EXPECT_TRUE(exists(tree.path("outside/Trash/info/x.trashinfo"))) << home;
    }
    tree.folder("linked-files/.local/share/Trash/info");
    tree.symlink("linked-files/.local/share/Trash/files", tree.path("outside/Trash/files"));
    EXPECT_FALSE(HomeTrash(tree.path("linked-files"), std::nullopt).isReachedWithoutLinks());
    // Records in an "info" folder that leads elsewhere stay there.
    tree.folder("linked-info/.local/share/Trash/files");
    tree.symlink("linked-info/.local/share/Trash/info", tree.path("outside/Trash/info"));
    EXPECT_NE(HomeTrash(tree.path("linked-info"), std::nullopt).forgetRemovedEntry("x"), 0);
    EXPECT_TRUE(exists(tree.path("outside/Trash/info/x.trashinfo")));
    EXPECT_TRUE(HomeTrash(tree.folder("plain"), std::nullopt).isReachedWithoutLinks()); // not made yet
}

TEST(HomeTrash, IsPrivateOnlyWhenNobodyElseMayChangeItsFolders) {
    test::FixtureTree tree;
    const HomeTrash trash(tree.folder("home"), std::nullopt);
    const uid_t user = ::getuid();
    EXPECT_FALSE(trash.isPrivateTo(user)); // not there
    tree.folder("home/.local/share/Trash");
    ASSERT_EQ(::chmod(trash.folder().c_str(), 0700), 0);
    EXPECT_TRUE(trash.isPrivateTo(user)); // its folders are made as they are needed
    EXPECT_FALSE(trash.isPrivateTo(user + 1));
    tree.folder("home/.local/share/Trash/files");
    tree.folder("home/.local/share/Trash/info");
    EXPECT_TRUE(trash.isPrivateTo(user));
    for (const std::string& folder : {trash.folder(), trash.filesFolder(), trash.infoFolder()})
        for (const mode_t mode : {0777, 0720, 0702}) {
            test::ScopedMode shared(folder, mode);
            EXPECT_FALSE(trash.isPrivateTo(user)) << folder << " " << mode;
        }
    std::filesystem::remove(trash.infoFolder());
    tree.symlink("home/.local/share/Trash/info", tree.folder("elsewhere"));
    EXPECT_FALSE(trash.isPrivateTo(user));
}

} // namespace
} // namespace zn
