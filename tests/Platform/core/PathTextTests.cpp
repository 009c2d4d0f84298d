#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using namespace PathText;

TEST(PathText, ComponentOperations) {
    EXPECT_EQ(appendingPathComponent("/a/b/", "c"), "/a/b/c");
    EXPECT_EQ(appendingPathComponent("/a/b", "c"), "/a/b/c");
    EXPECT_EQ(appendingPathComponent("/", "c"), "/c");
    EXPECT_EQ(appendingPathComponent("/a", ""), "/a");
    EXPECT_EQ(appendingPathComponent("", "c"), "c");
    EXPECT_EQ(lastPathComponent("/a/b.txt"), "b.txt");
    EXPECT_EQ(lastPathComponent("/a/b/"), "b");
    EXPECT_EQ(lastPathComponent("/"), "/");
    EXPECT_EQ(pathExtension("/x/Tool.app"), "app");
    EXPECT_EQ(pathExtension("/x/archive.tar.gz"), "gz");
    EXPECT_EQ(pathExtension("/x/.hidden"), "");
    EXPECT_EQ(pathExtension("/x.y/name"), "");
    EXPECT_EQ(deletingLastPathComponent("/a/b"), "/a");
    EXPECT_EQ(deletingLastPathComponent("/a"), "/");
    EXPECT_EQ(deletingLastPathComponent("a"), "");
    EXPECT_TRUE(isSameOrInside("/a/b", "/a/b"));
    EXPECT_TRUE(isSameOrInside("/a/b/c", "/a/b"));
    EXPECT_FALSE(isSameOrInside("/a/bc", "/a/b"));
    EXPECT_FALSE(isStrictlyInside("/a/b", "/a/b"));
}

TEST(PathText, Standardizing) {
    const std::string home = "/home/tester";
    EXPECT_EQ(standardizingPath("~", home), "/home/tester");
    EXPECT_EQ(standardizingPath("~/Library//Caches/", home), "/home/tester/Library/Caches");
    EXPECT_EQ(standardizingPath("~other/x", home), "~other/x");
    EXPECT_EQ(standardizingPath("/a/./b/../c", home), "/a/c");
    EXPECT_EQ(standardizingPath("/../..", home), "/");
    EXPECT_EQ(standardizingPath("a/../b", home), "a/../b");
    EXPECT_EQ(standardizingPath("//", home), "/");
    EXPECT_EQ(standardizingPath("", home), "");
    // "/private" goes only when the shorter path exists.
    EXPECT_EQ(standardizingPath("/private/etc", home), "/etc");
    EXPECT_EQ(standardizingPath("/private/zn-no-such-folder", home), "/private/zn-no-such-folder");
}

TEST(PathResolution, ResolvesLinksComponentByComponent) {
    test::FixtureTree tree;
    tree.folder("real/inner");
    tree.file("real/inner/file", 10);
    tree.symlink("link", "real");
    tree.symlink("abs", tree.path("real/inner"));
    tree.symlink("loop", "loop");
    tree.symlink("up", "real/inner/..");
    const std::string real = resolvingSymlinksInPath(tree.root());

    EXPECT_EQ(resolvingSymlinksInPath(tree.path("link/inner/file")), real + "/real/inner/file");
    EXPECT_EQ(resolvingSymlinksInPath(tree.path("abs/file")), real + "/real/inner/file");
    EXPECT_EQ(resolvingSymlinksInPath(tree.path("link/inner/../inner/./file/")), real + "/real/inner/file");
    EXPECT_EQ(resolvingSymlinksInPath(tree.path("link/missing/more")), real + "/real/missing/more");
    EXPECT_EQ(resolvingSymlinksInPath(tree.path("up")), real + "/real");
    // ".." after a missing folder leads back to a link, which is still resolved.
    EXPECT_EQ(resolvingSymlinksInPath(tree.path("real/gone/../../link/inner")), real + "/real/inner");
    // ".." applies to the resolved parent, not to the text.
    EXPECT_EQ(resolvingSymlinksInPath(tree.path("abs/..")), real + "/real");
    EXPECT_EQ(resolvingSymlinksInPath(tree.path("loop")), real + "/loop");
    EXPECT_EQ(resolvingSymlinksInPath("relative/path"), "relative/path");
    EXPECT_EQ(resolvingSymlinksInPath("/"), "/");
}

} // namespace
} // namespace zn
