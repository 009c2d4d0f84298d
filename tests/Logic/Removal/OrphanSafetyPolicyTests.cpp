#include "Logic/Scanning/Locations.h"
#include "Logic/Removal/OrphanSafetyPolicy.h"
#include "Platform/core/PathResolution.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zn {
namespace {

class OrphanSafetyPolicyTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = resolvingSymlinksInPath(tree.root());
        home = tree.folder("home");
        sys = tree.folder("sys");
        tree.folder("home/Library/Caches");
        tree.folder("home/.ssh");
        tree.file("home/.ssh/id_ed25519", 400);
        tree.folder("sys/Library/Caches");
        tree.folder("sys/Library/Logs");
        tree.folder("sys/Library/Preferences");
    }
    bool safe(const std::string& relative) const { return policy().isSafe(tree.path(relative)); }
    OrphanSafetyPolicy policy() const { return OrphanSafetyPolicy(home, sys); }

    test::FixtureTree tree;
    std::string root, home, sys;
};

TEST_F(OrphanSafetyPolicyTest, AllowedRootsInOrder) {
    const OrphanSafetyPolicy fixed("/Users/u");
    ASSERT_EQ(fixed.allowedRoots().size(), 8u);
    EXPECT_EQ(fixed.allowedRoots()[0], "/Users/u/Library/Caches");
    EXPECT_EQ(fixed.allowedRoots()[2], "/Users/u/Library/Saved Application State");
    EXPECT_EQ(fixed.allowedRoots()[5], "/Users/u/Library/Application Support/CrashReporter");
    EXPECT_EQ(fixed.allowedRoots()[6], "/Library/Caches");
    EXPECT_EQ(fixed.allowedRoots()[7], "/Library/Logs");
}

TEST_F(OrphanSafetyPolicyTest, OnlyStrictlyInsideAnAllowedRoot) {
    tree.folder("home/Library/Caches/com.vendor.tool");
    EXPECT_TRUE(safe("home/Library/Caches/com.vendor.tool"));
    EXPECT_TRUE(safe("home/Library/Caches/not-yet-there")); // judged as written
    EXPECT_TRUE(safe("home/Library/Application Support/CrashReporter/Tool_123.plist"));
    EXPECT_TRUE(safe("sys/Library/Logs/Tool/run.log"));
    EXPECT_FALSE(safe("home/Library/Caches"));
    EXPECT_FALSE(safe("home/Library/Caches/"));
    EXPECT_FALSE(safe("home/Library/Caches/sub/.."));
    EXPECT_FALSE(safe("home/Library/Application Support/Vendor"));
    EXPECT_FALSE(safe("home/Library/CachesExtra/tool"));
    EXPECT_FALSE(policy().isSafe("relative/Library/Caches/x"));
    EXPECT_FALSE(policy().isSafe(""));
}

TEST_F(OrphanSafetyPolicyTest, SystemItemsAndProtectedFragments) {
    EXPECT_FALSE(safe("sys/Library/Caches/com.apple.foo"));
    EXPECT_FALSE(safe("sys/Library/Caches/COM.Apple.Bar"));
    EXPECT_FALSE(safe("home/Library/Logs/.GlobalPreferences.plist"));
    EXPECT_FALSE(safe("home/Library/Caches/.globalPREFERENCES.plist"));
    EXPECT_TRUE(safe("home/Library/Caches/com.applesauce.app"));
    // Fragments anywhere, in any case, even as the start of a longer name.
    EXPECT_FALSE(safe("home/Library/Caches/vendor/Library/Preferences/x.plist"));
    EXPECT_FALSE(safe("home/Library/Caches/vendor/library/PREFERENCES/x.plist"));
    EXPECT_FALSE(safe("sys/Library/Logs/x/Library/Mailboxes/y"));
}

TEST_F(OrphanSafetyPolicyTest, AllowedRootsCompareExactCase) {
    tree.folder("home/library/caches/tool");
    EXPECT_FALSE(safe("home/library/caches/tool"));
    EXPECT_FALSE(safe("home/Library/caches/tool"));
    EXPECT_FALSE(safe("sys/LIBRARY/Logs/tool"));
}

TEST_F(OrphanSafetyPolicyTest, SymbolicLinksAreJudgedByTheirTargets) {
    tree.symlink("home/Library/Caches/keys", home + "/.ssh");
    tree.symlink("home/Library/Caches/key-file", home + "/.ssh/id_ed25519");
    tree.symlink("home/Library/Caches/prefs", sys + "/Library/Preferences");
    tree.folder("home/Library/Caches/vendor/Library/Preferences/stuff");
    tree.symlink("home/Library/Caches/nested", home + "/Library/Caches/vendor/Library/Preferences/stuff");
    tree.folder("home/Library/Caches/com.apple.hidden");
    tree.symlink("home/Library/Caches/innocent", home + "/Library/Caches/com.apple.hidden");
    tree.folder("home/Library/Caches/real-tool");
    tree.symlink("home/Library/Caches/tool-link", home + "/Library/Caches/real-tool");
    tree.symlink("home/Library/Caches/via-link", home + "/Library/Caches/keys");

    EXPECT_FALSE(safe("home/Library/Caches/keys"));
    EXPECT_FALSE(safe("home/Library/Caches/key-file"));
    EXPECT_FALSE(safe("home/Library/Caches/keys/id_ed25519"));
    EXPECT_FALSE(safe("home/Library/Caches/via-link"));
    EXPECT_FALSE(safe("home/Library/Caches/prefs"));
    EXPECT_FALSE(safe("home/Library/Caches/prefs/com.vendor.plist"));
    EXPECT_FALSE(safe("home/Library/Caches/nested")); // inside a cache, but a Preferences fragment
    EXPECT_FALSE(safe("home/Library/Caches/innocent"));
    EXPECT_TRUE(safe("home/Library/Caches/tool-link"));
}

TEST_F(OrphanSafetyPolicyTest, ALinkMustItselfLieWhereLeftoversMay) {
    // Removal takes the link itself: one outside the caches is not a leftover, wherever it leads.
    tree.folder("home/Library/Caches/x");
    tree.symlink("sys/etc/cache-link", home + "/Library/Caches/x");
    tree.symlink("home/Documents/link", home + "/Library/Caches/x");
    tree.symlink("home/Library/Caches/inside-link", home + "/Library/Caches/x");
    EXPECT_FALSE(safe("sys/etc/cache-link"));
    EXPECT_FALSE(safe("home/Documents/link"));
    EXPECT_TRUE(safe("home/Library/Caches/inside-link"));
    // Its folder's links still count: reached through a linked folder, it is where its folder really is.
    tree.symlink("home/Library/Caches/alias", home + "/Documents");
    EXPECT_FALSE(safe("home/Library/Caches/alias/link"));
}

TEST_F(OrphanSafetyPolicyTest, HomeReachedThroughALink) {
    tree.symlink("home-link", home);
    tree.symlink("home/Library/Caches/keys", home + "/.ssh");
    const OrphanSafetyPolicy linked(tree.path("home-link"), sys);
    EXPECT_EQ(linked.allowedRoots()[0], root + "/home/Library/Caches");
    EXPECT_TRUE(linked.isSafe(tree.path("home-link/Library/Caches/tool")));
    EXPECT_TRUE(linked.isSafe(tree.path("home/Library/Caches/tool")));
    EXPECT_FALSE(linked.isSafe(tree.path("home-link/Library/Caches/keys")));
    EXPECT_FALSE(linked.isSafe(tree.path("home/Library/Caches/keys/id_ed25519")));
}

TEST_F(OrphanSafetyPolicyTest, PathsWhoseLinksCannotAllBeFollowedAreNotSafe) {
    // Forty links, then one more: resolution would stop there and leave text that seems to lie in Caches.
    tree.symlink("outside/lib64", "/usr/lib64");
    for (int index = 1; index <= 40; ++index)
        tree.symlink("home/Library/Caches/c" + std::to_string(index),
                     index == 40 ? tree.path("outside") : "c" + std::to_string(index + 1));
    EXPECT_FALSE(safe("home/Library/Caches/c1/lib64"));
    EXPECT_FALSE(safe("home/Library/Caches/c1/anything"));  // c1 leads outside in any case
    EXPECT_TRUE(safe("home/Library/Caches/c40-free/tool")); // missing is fine: judged as written

    // A folder that the asking user cannot look into hides where its links lead.
    tree.folder("outside/tool");
    tree.symlink("home/Library/Caches/locked/lib", tree.path("outside"));
    const std::string hidden = tree.path("home/Library/Caches/locked/lib/tool");
    EXPECT_FALSE(policy().isSafe(hidden)); // who may look inside sees it leads outside
    test::ScopedMode closed(tree.path("home/Library/Caches/locked"), 0);
    const int status = test::exitStatusWithoutPrivileges([&] { return policy().isSafe(hidden) ? 1 : 0; });
    EXPECT_EQ(status, 0);
}

} // namespace
} // namespace zn

namespace zn {
namespace {

TEST(LeftoverRemovalPath, ResolvesTheFolderAndKeepsTheName) {
    test::FixtureTree tree;
    const std::string real = resolvingSymlinksInPath(tree.folder("real"));
    tree.symlink("alias", real);
    tree.symlink("real/link", "/etc");
    EXPECT_EQ(leftoverRemovalPath(tree.path("alias/link")), real + "/link");
    EXPECT_EQ(leftoverRemovalPath(tree.path("alias/missing/")), real + "/missing");
    EXPECT_EQ(leftoverRemovalPath("/"), std::nullopt);
    EXPECT_EQ(leftoverRemovalPath("relative/x"), std::nullopt);
    EXPECT_EQ(leftoverRemovalPath(tree.path("real/..")), std::nullopt);
    EXPECT_EQ(leftoverRemovalPath(tree.path("real/.")), std::nullopt);
}

} // namespace
} // namespace zn
