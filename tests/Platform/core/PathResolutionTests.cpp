#include "Platform/core/PathResolution.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zn {
namespace {

// chain/c1 → chain/c2 → … → chain/c<links> → outside: `links` hops to reach "outside".
std::string linkChain(test::FixtureTree& tree, int links) {
    tree.folder("outside");
    for (int index = 1; index <= links; ++index) {
        const std::string target = index == links ? tree.path("outside") : "c" + std::to_string(index + 1);
        tree.symlink("chain/c" + std::to_string(index), target);
    }
    return tree.path("chain/c1");
}

TEST(PathResolution, BothFormsAgreeOnWhatCanBeResolved) {
    test::FixtureTree tree;
    tree.file("real/inner/file", 1);
    tree.symlink("link", tree.path("real"));
    const std::string real = *resolvedPathIfResolvable(tree.root());
    const std::vector<std::pair<std::string, std::string>> cases{
        {tree.path("link/inner/file"), real + "/real/inner/file"},
        {tree.path("link/missing/more"), real + "/real/missing/more"},         // ENOENT: kept as text
        {tree.path("real/inner/file/below"), real + "/real/inner/file/below"}, // ENOTDIR: kept as text
        {tree.path("real/gone/../../link/inner"), real + "/real/inner"},
        {"/", "/"},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(resolvingSymlinksInPath(path), expected) << path;
        EXPECT_EQ(resolvedPathIfResolvable(path), expected) << path;
    }
    EXPECT_EQ(resolvedPathIfResolvable("relative/path"), std::nullopt);
}

TEST(PathResolution, OnlyTheStrictFormSaysWhenItGivesUp) {
    test::FixtureTree tree;
    const std::string start = linkChain(tree, 40);
    const std::string outside = *resolvedPathIfResolvable(tree.path("outside"));
    EXPECT_EQ(resolvedPathIfResolvable(start), outside); // forty links are followed

    // One more link after the forty: the text left over names the chain, not where it leads.
    tree.symlink("outside/lib64", "/usr/lib");
    EXPECT_EQ(resolvedPathIfResolvable(start + "/lib64"), std::nullopt);
    EXPECT_EQ(resolvingSymlinksInPath(start + "/lib64"), start + "/lib64");

    tree.symlink("loop", "loop");
    EXPECT_EQ(resolvedPathIfResolvable(tree.path("loop")), std::nullopt);
    EXPECT_EQ(resolvingSymlinksInPath(tree.path("loop")), tree.path("loop"));

    const std::string tooLong = tree.path(std::string(300, 'n') + "/x");
    EXPECT_EQ(resolvedPathIfResolvable(tooLong), std::nullopt);
    EXPECT_EQ(resolvingSymlinksInPath(tooLong), tooLong);
}

TEST(PathResolution, AFolderThatCannotBeReadIsNotTakenAsText) {
    test::FixtureTree tree;
    tree.folder("outside/etc");
    tree.symlink("cache/locked/lib", tree.path("outside"));
    const std::string path = tree.path("cache/locked/lib/etc");

    // Who may look inside the folder sees where "lib" leads; who may not cannot know it.
    EXPECT_EQ(resolvedPathIfResolvable(path), *resolvedPathIfResolvable(tree.path("outside/etc")));
    test::ScopedMode closed(tree.path("cache/locked"), 0);
    const int status = test::exitStatusWithoutPrivileges([&] {
        const bool refused = !resolvedPathIfResolvable(path).has_value();
        const bool keptAsText = resolvingSymlinksInPath(path) == path;
        return refused && keptAsText ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

TEST(PathResolution, ReachedWithoutLinksOnlyWhenTheFolderIsWhereTheTextSays) {
    test::FixtureTree tree;
    tree.file("outside/com.acme.widget/data", 1);
    tree.folder("home/Library/Caches");
    tree.symlink("home/Library/Application Support", tree.path("outside"));
    tree.symlink("home/Library/Caches/link", tree.path("outside"));

    EXPECT_TRUE(isReachedWithoutLinks(tree.path("home/Library/Caches/link"))); // the link itself
    EXPECT_TRUE(isReachedWithoutLinks(tree.path("home/Library/Caches/gone")));
    EXPECT_FALSE(isReachedWithoutLinks(tree.path("home/Library/Caches/link/com.acme.widget")));
    EXPECT_FALSE(isReachedWithoutLinks(tree.path("home/Library/Application Support/com.acme.widget")));
    // Only the one spelling of a path counts.
    EXPECT_FALSE(isReachedWithoutLinks(tree.path("home/Library/Caches/link/")));
    EXPECT_FALSE(isReachedWithoutLinks(tree.path("home/Library//Caches/link")));
    EXPECT_FALSE(isReachedWithoutLinks(tree.path("home/Library/Caches/../Caches/link")));
    EXPECT_FALSE(isReachedWithoutLinks("relative/path"));
    EXPECT_FALSE(isReachedWithoutLinks("/"));
}

} // namespace
} // namespace zn
