#include "Logic/Removal/RemovalPathRules.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(RemovalPathRules, AdministratorCandidates) {
    RemovalPathRules rules("/Users/u");
    EXPECT_TRUE(rules.isLikelyAdministratorRemovalPath("/Applications/Foo.app"));
    EXPECT_TRUE(rules.isLikelyAdministratorRemovalPath("/Applications/Tools/Foo.APP/Contents/Info.plist"));
    EXPECT_TRUE(rules.isLikelyAdministratorRemovalPath("/Users/u/Applications/Foo.app/Contents/MacOS/Foo"));
    EXPECT_FALSE(rules.isLikelyAdministratorRemovalPath("/Applications"));
    EXPECT_FALSE(rules.isLikelyAdministratorRemovalPath("/Applications/Foo"));
    EXPECT_FALSE(rules.isLikelyAdministratorRemovalPath("/Applications.app/x"));
    EXPECT_FALSE(rules.isLikelyAdministratorRemovalPath("/Users/u/Library/Foo.app"));

    EXPECT_TRUE(rules.isLikelyAdministratorRemovalPath("/private/var/db/receipts/com.foo.pkg.bom"));
    EXPECT_TRUE(rules.isLikelyAdministratorRemovalPath("/var/db/receipts/com.foo.pkg.PLIST"));
    EXPECT_FALSE(rules.isLikelyAdministratorRemovalPath("/var/db/receipts/com.foo.pkg.txt"));
    EXPECT_FALSE(rules.isLikelyAdministratorRemovalPath("/var/db/receipts/sub/com.foo.pkg.bom"));

    EXPECT_TRUE(rules.isLikelyAdministratorRemovalPath("/Library/LaunchAgents/com.foo.agent.plist"));
    EXPECT_TRUE(rules.isLikelyAdministratorRemovalPath("/Library/LaunchDaemons/com.foo.daemon.plist"));
    EXPECT_FALSE(rules.isLikelyAdministratorRemovalPath("/Library/LaunchAgents/sub/com.foo.agent.plist"));
    EXPECT_FALSE(rules.isLikelyAdministratorRemovalPath("/Library/LaunchDaemons/com.foo.bom"));
    EXPECT_FALSE(rules.isLikelyAdministratorRemovalPath("/Users/u/Library/LaunchAgents/com.foo.plist"));

    // Only a bundle of the machine's applications folder may take other people's entries along.
    EXPECT_TRUE(rules.mayBeMachineApplicationBundle("/Applications/Foo.app"));
    EXPECT_TRUE(rules.mayBeMachineApplicationBundle("/Applications/Team/b-own.app"));
    EXPECT_FALSE(rules.mayBeMachineApplicationBundle("/Applications/Foo.app/Contents/Helpers/Bar.app"));
    EXPECT_FALSE(rules.mayBeMachineApplicationBundle("/Applications/Foo.app/Contents"));
    EXPECT_FALSE(rules.mayBeMachineApplicationBundle("/Users/u/Applications/Foo.app"));
    EXPECT_FALSE(rules.mayBeMachineApplicationBundle("/Applications"));

    EXPECT_FALSE(AdministratorPassFolders::hasAppBundleComponent("/Applications/", "/Applications"));
    EXPECT_TRUE(
        AdministratorPassFolders::isDirectFile("/Library/LaunchAgents/a.plist", "/Library/LaunchAgents/", {"plist"}));
}

TEST(RemovalPathRules, HighRiskPathsTheirContentsAndWhatHoldsThemAreRefused) {
    test::FixtureTree tree;
    const std::string home = tree.folder("home");
    tree.file("home/.ssh/id_ed25519", 10);
    tree.folder("vault/gnupg");
    tree.symlink("home/.gnupg", tree.path("vault/gnupg"));
    tree.symlink("home/Library/Caches/shortcut", home + "/.ssh");
    RemovalPathRules rules(home);

    EXPECT_TRUE(rules.isHighRisk(home + "/.ssh"));
    EXPECT_TRUE(rules.isHighRisk(home + "/.ssh/id_ed25519"));
    EXPECT_TRUE(rules.isHighRisk(home + "/Library/Caches/shortcut/id_ed25519"));
    EXPECT_TRUE(rules.isHighRisk(tree.path("vault/gnupg/pubring.kbx"))); // where ~/.gnupg leads
    EXPECT_TRUE(rules.isHighRisk(tree.path("vault")));                   // and what holds that
    EXPECT_TRUE(rules.isHighRisk(home));
    EXPECT_TRUE(rules.isHighRisk(tree.root()));

    EXPECT_FALSE(rules.isHighRisk(home + "/.sshx"));
    EXPECT_FALSE(rules.isHighRisk(home + "/.SSH"));
    EXPECT_FALSE(rules.isHighRisk(home + "/Library/Caches/com.example.foo"));
    EXPECT_FALSE(rules.isHighRisk(home + "/Library"));

    // The folder that holds where ~/.password-store leads, found as a leftover of "Pass".
    const std::string passHome = tree.folder("pass-home");
    tree.folder("pass-home/Library/Application Support/Pass/store");
    tree.symlink("pass-home/.password-store", passHome + "/Library/Application Support/Pass/store");
    const RemovalPathRules passRules(passHome);
    EXPECT_TRUE(passRules.isHighRisk(passHome + "/Library/Application Support/Pass"));
    EXPECT_FALSE(passRules.isHighRisk(passHome + "/Library/Application Support/Passage"));

    // The working directory and the program's folder, and what holds them, as the home.
    const std::string work = tree.folder("work/ZorblaxVictim/sub");
    tree.symlink("home/Library/Caches/to-work", tree.path("work"));
    const RemovalPathRules placed(home, "", {work, home + "/Library/Logs/Zorblax/bin"});
    EXPECT_TRUE(placed.isHighRisk(tree.path("work/ZorblaxVictim")));
    EXPECT_TRUE(placed.isHighRisk(home + "/Library/Caches/to-work/ZorblaxVictim"));
    EXPECT_TRUE(placed.isHighRisk(home + "/Library/Logs/Zorblax"));
    EXPECT_FALSE(placed.isHighRisk(home + "/Library/Logs/Zorblax/zorblax.log"));
    EXPECT_FALSE(rules.isHighRisk(tree.path("work/ZorblaxVictim")));
}

} // namespace
} // namespace zn
