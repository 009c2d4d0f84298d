#include "Platform/core/FolderWithoutLinks.h"
#include "Platform/core/PathResolution.h"
#include "support/FixtureTree.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {
namespace {

std::string slurp(const std::string& path) {
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

struct OpenFolder {
    explicit OpenFolder(const std::string& path) : error(openFolderWithoutLinks(path, folder)) {}
    UniqueFd folder;
    int error;
};

TEST(FolderWithoutLinks, OpensOnlyWhatTheTextNames) {
    test::FixtureTree tree;
    tree.file("real/inner/file", 1);
    tree.symlink("link", tree.path("real"));
    const std::string root = *resolvedPathIfResolvable(tree.root());

    OpenFolder inner(root + "/real/inner");
    ASSERT_EQ(inner.error, 0);
    struct stat info;
    EXPECT_EQ(::fstatat(inner.folder.get(), "file", &info, AT_SYMLINK_NOFOLLOW), 0);

    EXPECT_EQ(OpenFolder(root + "/link/inner").error, ENOTDIR); // a link on the way
    EXPECT_EQ(OpenFolder(root + "/link").error, ENOTDIR);
    EXPECT_EQ(OpenFolder(root + "/real/inner/file").error, ENOTDIR);
    EXPECT_EQ(OpenFolder(root + "/real/missing").error, ENOENT);
    for (const std::string& malformed : {std::string("relative"), root + "/real/../real", root + "/./real",
                                         root + "//real", root + "/real/"})
        EXPECT_EQ(OpenFolder(malformed).error, EINVAL) << malformed;
    EXPECT_EQ(OpenFolder("/").error, 0);
}

TEST(FolderWithoutLinks, NothingIsEverReplaced) {
    test::FixtureTree tree;
    tree.textFile("from/a", "first");
    tree.textFile("from/b", "second");
    tree.textFile("to/taken", "already there");
    const std::string root = *resolvedPathIfResolvable(tree.root());
    OpenFolder from(root + "/from");
    OpenFolder to(root + "/to");

    EXPECT_EQ(renameWithoutReplacing(from.folder.get(), "a", to.folder.get(), "taken"), EEXIST);
    EXPECT_EQ(slurp(tree.path("from/a")), "first");
    EXPECT_EQ(slurp(tree.path("to/taken")), "already there");
    EXPECT_EQ(renameWithoutReplacing(from.folder.get(), "a", to.folder.get(), "moved"), 0);
    EXPECT_EQ(slurp(tree.path("to/moved")), "first");

    // The fallback for file systems that cannot rename that way keeps the same promise.
    EXPECT_EQ(linkThenUnlink(from.folder.get(), "b", to.folder.get(), "taken"), EEXIST);
    EXPECT_EQ(slurp(tree.path("from/b")), "second");
    EXPECT_EQ(slurp(tree.path("to/taken")), "already there");
    EXPECT_EQ(linkThenUnlink(from.folder.get(), "b", to.folder.get(), "moved-b"), 0);
    EXPECT_EQ(slurp(tree.path("to/moved-b")), "second");
    struct stat info;
    EXPECT_NE(::lstat(tree.path("from/b").c_str(), &info), 0);
}

} // namespace
} // namespace zn
