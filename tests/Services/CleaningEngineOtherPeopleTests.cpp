#include "Platform/core/PathResolution.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

// A second person on the machine: whoever asks, and with whatever rights, nothing of theirs goes.
namespace zn {
namespace {

using test::exists;
using test::itemAt;

constexpr uid_t kCaller = 4242;

class OtherPeoplesEntries : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::runsAsRoot())
            GTEST_SKIP() << test::kNeedsRootToChangeOwners;
        // The caller's own leftover folder that anyone may write to, with another person's folder in it.
        shared = own(tree.folder("home/Library/Caches/com.gone.shared"));
        ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
        sharedOwn = own(tree.file("home/Library/Caches/com.gone.shared/mine.db", 1));
        theirFolder = theirs(tree.folder("home/Library/Caches/com.gone.shared/z2-dir"));
        theirs(tree.file("home/Library/Caches/com.gone.shared/z2-dir/z2-data", 1));
        // The administrator's folder that a group shares, and a member's file written in it since.
        teamFolder = real(tree.folder("system/Library/Caches/com.zorblax.studio/db"));
        ASSERT_EQ(::chown(teamFolder.c_str(), 0, test::kSharedGroup), 0);
        ASSERT_EQ(::chmod(teamFolder.c_str(), 02775), 0);
        teamIndex = real(tree.file("system/Library/Caches/com.zorblax.studio/db/index", 1));
        memberFile = theirs(tree.file("system/Library/Caches/com.zorblax.studio/db/team.db", 1));
        // A file another person planted among the caller's caches.
        tool = own(tree.folder("home/Library/Caches/com.acme.tool"));
        own(tree.file("home/Library/Caches/com.acme.tool/cache.bin", 1));
        planted = theirs(tree.file("home/Library/Caches/com.acme.tool/planted", 1));
        // The caller's own leftover, with an entry of a service account (not a person) inside.
        ownLeftover = own(tree.folder("home/Library/Caches/com.gone.own"));
        const std::string service = real(tree.file("home/Library/Caches/com.gone.own/spool", 1));
        ASSERT_EQ(::lchown(service.c_str(), test::kOtherUser, test::kOtherUser), 0);
    }

    std::string real(const std::string& path) { return *resolvedPathIfResolvable(path); }
    std::string own(const std::string& path) {
        EXPECT_EQ(::lchown(path.c_str(), kCaller, kCaller), 0);
        return real(path);
    }
    std::string theirs(const std::string& path) {
        EXPECT_EQ(::lchown(path.c_str(), test::kOtherPerson, test::kOtherPerson), 0);
        return real(path);
    }
    void expectTheirsKeptAndTheRestGone() {
        EXPECT_TRUE(exists(theirFolder + "/z2-data"));
        EXPECT_TRUE(exists(memberFile));
        EXPECT_TRUE(exists(planted));
        EXPECT_FALSE(exists(sharedOwn));
        EXPECT_FALSE(exists(teamIndex));
        EXPECT_FALSE(exists(tool + "/cache.bin"));
        EXPECT_FALSE(exists(ownLeftover));
    }
    // The administrator side for `kCaller`, on the records.
    std::string administratorSide(const std::vector<PrivilegedRemovalRecord>& records) {
        PrivilegedRemovalContext context;
        context.callingUserId = std::to_string(kCaller);
        context.homeOfUser = [this](uid_t) { return std::optional<std::string>(home); };
        context.leftoverSystemRoot = real(tree.path("system"));
        context.systemFolders = test::fixtureCleaningFolders(tree);
        std::istringstream input(encodePrivilegedRemovalRecords(records));
        std::ostringstream output;
        EXPECT_EQ(runPrivilegedRemoval({"zelvanexal", "--privileged-remove"}, input, output, context), 0);
        return output.str().substr(kPrivilegedRemovalStartMarker.size());
    }

    test::FixtureTree tree;
    std::string home = real(tree.folder("home"));
    std::string shared, sharedOwn, theirFolder, teamFolder, teamIndex, memberFile, tool, planted, ownLeftover;
};

TEST_F(OtherPeoplesEntries, TheAdministratorSideKeepsThemAndRemovesTheRest) {
    const std::string report = administratorSide({{std::nullopt, shared},
                                                  {std::nullopt, teamFolder},
                                                  {std::nullopt, tool},
                                                  {std::nullopt, ownLeftover}});
    expectTheirsKeptAndTheRestGone();
    const PrivilegedRemovalReport said = decodePrivilegedRemovalReport(report);
    EXPECT_EQ(said.removed, std::set<std::string>{ownLeftover});
    EXPECT_EQ(said.kept, (std::map<std::string, std::string>{
                             {shared, theirFolder}, {teamFolder, memberFile}, {tool, planted}}));
}

TEST_F(OtherPeoplesEntries, TheOrdinaryPassKeepsThemAndSaysSo) {
    CleaningEngineOptions options;
    options.systemFolders = test::fixtureCleaningFolders(tree);
    options.callingUser = kCaller;
    options.people = PersonUidRange{};
    CleaningEngine engine(home, options);
    const CleaningResult result =
        engine.cleanItems({itemAt(shared), itemAt(teamFolder), itemAt(tool), itemAt(ownLeftover)}, {});
    expectTheirsKeptAndTheRestGone();
    EXPECT_EQ(result.deletedPaths, std::set<std::string>{ownLeftover});
    EXPECT_TRUE(result.deferredToAdmin.empty()) << "no password removes what is another person's";
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(result.keptForOtherUsers,
              (std::vector<KeptItem>{{shared, theirFolder}, {teamFolder, memberFile}, {tool, planted}}));
}

TEST_F(OtherPeoplesEntries, AnApplicationsBundleIsTheMachinesWhoeverInstalledIt) {
    const std::string bundle = own(tree.folder("home/Applications/Tool.app"));
    theirs(tree.file("home/Applications/Tool.app/Contents/Info.plist", 1));
    const std::string report = administratorSide({{CleaningCategory::systemJunk, bundle}});
    EXPECT_EQ(report, bundle + '\0');
    EXPECT_FALSE(exists(bundle));
}

} // namespace
} // namespace zn
