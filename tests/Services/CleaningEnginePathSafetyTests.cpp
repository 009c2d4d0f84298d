#include "Platform/core/PathResolution.h"
#include "Services/CleaningEngine.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

struct Row {
    std::string path;
    bool allowedRoot;  // isSafeToDelete
    bool explicitFile; // isExplicitSingleFileDeletable
    bool escalation;   // isSafeUninstallEscalationPath
};

// `h` is the home folder, `s` the folder the system's roots hang from ("" for the real ones).
std::vector<Row> rowsFor(const std::string& h, const std::string& s) {
    const std::string nul(1, '\0');
    return {
        {h + "/Library/Caches", true, false, false},
        {h + "/Library/Caches/com.example.app/data", true, false, false},
        {h + "/Library/CachesOld/x", false, false, false},
        {h + "/Library", false, false, false},
        {s + "/private/var/log/system.log", true, false, false},
        {s + "/var/log/system.log", true, false, false},
        {s + "/tmp/x", true, false, false},
        {"/", false, false, false},
        {h, false, false, false},
        {h + "/Library//Caches/x/", true, false, false},
        {h + "/Library/./Caches/x", true, false, false},
        {h + "/Documents/report.pdf", false, true, false},
        {h + "/Documents", false, false, false},
        {h + "/Documents/", false, false, false},
        {h + "/Desktop/a/b/c.mov", false, true, false},
        {h + "/Downloads/big.iso", false, true, false},
        {h + "/Pictures/x.jpg", false, false, false},
        {"/Applications/Tool.app", false, false, true},
        {"/Applications", false, false, false},
        {"/Applications/readme.txt", false, false, false},
        {"/Applications/Suite/Agent.APP/x", false, false, true},
        {"/Applications/Utilities/Tool.app", false, false, true},
        {"/Applications/Tool.app/Contents/Info.plist", false, false, true},
        {h + "/Applications/Tool.app", false, false, true},
        {h + "/Applications", false, false, false},
        {"/private/var/db/receipts/com.example.pkg.bom", false, false, true},
        {"/var/db/receipts/com.example.pkg.PLIST", false, false, true},
        {"/private/var/db/receipts/sub/x.plist", false, false, false},
        {"/private/var/db/receipts/x.txt", false, false, false},
        {"/Library/LaunchDaemons/com.example.daemon.plist", false, false, true},
        {"/Library/LaunchDaemons/com.example.daemon.bom", false, false, false},
        {"/Library/LaunchAgents/com.example.agent.plist", false, false, true},
        {h + "/Library/LaunchAgents/com.example.plist", true, false, false},
        // Judged after standardisation, so ".." cannot climb out of a root.
        {h + "/Library/Caches/../../Documents/x", false, true, false},
        {h + "/Library/Caches/..", false, false, false},
        {h + "/Library/Caches/../../../../../../../tmp", false, false, false},
        {"/Applications/Tool.app/../../etc/passwd", false, false, false},
        {s + "/tmp/../etc/passwd", false, false, false},
        // Text compares exactly: no case folding, no look-alike roots, no sibling of the home folder.
        {h + "X/Library/Caches/x", false, false, false},
        {h + "/library/caches/x", false, false, false},
        {h + "/Library/Cach\u00e9s/x", false, false, false},
        {h + "/Library/Caches\u200b/x", false, false, false},
        {h + "/Library/Caches/\u30ad\u30e3\u30c3\u30b7\u30e5", true, false, false},
        // Only absolute paths, and never one a system call would cut short.
        {"~/Library/Caches/x", false, false, false},
        {"~", false, false, false},
        {"~/Documents/report.pdf", false, false, false},
        {"Library/Caches/x", false, false, false},
        {"", false, false, false},
        {h + "/Library/Caches/x" + nul + "y", false, false, false},
        {h + "/Documents/x.pdf" + nul, false, false, false},
        {"/Applications/Tool.app" + nul, false, false, false},
    };
}

// Roots the ordinary pass may remove as a whole, and roots of which only the contents may go.
std::vector<std::string> rootsRemovableAsWhole(const std::string& h) {
    std::vector<std::string> roots;
    for (const char* suffix :
         {"/Library/Caches", "/Library/Logs", "/Library/Saved Application State", "/Library/HTTPStorages",
          "/Library/WebKit", "/Library/Mail Downloads", "/Library/Developer/Xcode/DerivedData",
          "/Library/Developer/Xcode/Archives", "/Library/Developer/CoreSimulator/Caches", "/.npm",
          "/Library/Containers/com.docker.docker"})
        roots.push_back(h + suffix);
    return roots;
}

std::vector<std::string> rootsKeptAsWhole(const std::string& h, const std::string& s) {
    std::vector<std::string> roots;
    for (const char* suffix :
         {"/Library/Containers", "/Library/Group Containers", "/Library/Application Support",
          "/Library/Preferences", "/Library/LaunchAgents", "/Library/Safari", "/.local/share/Trash/files",
          "/.cache"})
        roots.push_back(h + suffix);
    for (const char* root : {"/Library/Caches", "/Library/Logs", "/private/var/log", "/private/var/tmp",
                             "/var/log", "/var/tmp", "/tmp"})
        roots.push_back(s + root);
    return roots;
}

void expectRules(const CleaningEngine& engine, const std::string& s = "") {
    const std::string& h = engine.home();
    for (const Row& row : rowsFor(h, s)) {
        EXPECT_EQ(engine.isSafeToDelete(row.path), row.allowedRoot) << "allowed root: " << row.path;
        EXPECT_EQ(engine.isExplicitSingleFileDeletable(row.path), row.explicitFile)
            << "single file: " << row.path;
        EXPECT_EQ(engine.isSafeUninstallEscalationPath(row.path), row.escalation)
            << "escalation: " << row.path;
    }
    for (const std::string& root : rootsRemovableAsWhole(h)) {
        EXPECT_TRUE(engine.isSafeToDelete(root)) << root;
        EXPECT_TRUE(engine.isSafeToDelete(root + "/x")) << root;
    }
    for (const std::string& root : rootsKeptAsWhole(h, s)) {
        EXPECT_FALSE(engine.isSafeToDelete(root)) << root;
        EXPECT_FALSE(engine.isSafeToDelete(root + "/")) << root;
        EXPECT_TRUE(engine.isSafeToDelete(root + "/x")) << root;
        EXPECT_TRUE(engine.isSafeToDelete(root + "/com.example/deeper/file")) << root;
    }
}

TEST(CleaningEnginePathSafety, RulesForAPlainHome) {
    CleaningEngine engine("/home/tester");
    ASSERT_EQ(engine.home(), "/home/tester");
    expectRules(engine);
}

TEST(CleaningEnginePathSafety, RulesForAHomeReachedThroughALink) {
    test::FixtureTree tree;
    tree.folder("Users/tester");
    tree.symlink("home-link", tree.path("Users/tester"));
    CleaningEngineOptions options;
    options.systemFolders = test::fixtureCleaningFolders(tree);
    CleaningEngine engine(tree.path("home-link") + "/", options);
    ASSERT_EQ(engine.home(), resolvingSymlinksInPath(tree.path("Users/tester")));
    expectRules(engine, resolvingSymlinksInPath(tree.path("system")));
    // The rules see resolved paths only: the unresolved spelling through the link admits nothing.
    EXPECT_FALSE(engine.isSafeToDelete(tree.path("home-link/Library/Caches/x")));
    EXPECT_FALSE(engine.isExplicitSingleFileDeletable(tree.path("home-link/Documents/x.pdf")));
}

TEST(CleaningEnginePathSafety, APathThroughALinkIsNoRemovablePathWhateverItsText) {
    // Judged as text it lies in the caches; on disk it is the user's document.
    test::FixtureTree tree;
    const std::string home = resolvingSymlinksInPath(tree.folder("home"));
    tree.file("home/Documents/report.pdf", 1);
    tree.symlink("home/Library/Caches/docs-link", home + "/Documents");
    const CleaningPathRules rules(home, ::getuid(), test::fixtureCleaningFolders(tree));
    const std::string throughLink = home + "/Library/Caches/docs-link/report.pdf";
    EXPECT_TRUE(rules.isSafeToDelete(throughLink));
    EXPECT_FALSE(rules.admitsInOrdinaryPass(CleaningCategory::userCache, throughLink));
    EXPECT_FALSE(rules.admitsInAdminPass(CleaningCategory::userCache, throughLink));
    const std::string cache = resolvingSymlinksInPath(tree.file("home/Library/Caches/cache.bin", 1));
    EXPECT_TRUE(rules.admitsInOrdinaryPass(CleaningCategory::userCache, cache));
}

TEST(CleaningEnginePathSafety, AHomeThatIsTheVolumeRootAdmitsNoHomeRoot) {
    for (const std::string home : {"/", "", "relative/home"}) {
        CleaningEngine engine(home);
        EXPECT_FALSE(engine.isSafeToDelete("/Library/Containers/x")) << home;
        EXPECT_FALSE(engine.isSafeToDelete("/.local/share/Trash/files/x")) << home;
        EXPECT_FALSE(engine.isExplicitSingleFileDeletable("/Documents/x")) << home;
        EXPECT_TRUE(engine.isSafeToDelete("/Library/Caches/x")) << home; // a system root all the same
    }
}

} // namespace
} // namespace zn
