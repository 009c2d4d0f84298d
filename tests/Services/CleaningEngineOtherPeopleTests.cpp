#include "Platform/core/PathResolution.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"
#include "support/RenamingOverNames.h"

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

std::string real(const std::string& path) {
    return *resolvedPathIfResolvable(path);
}

// The administrator side for `kCaller` with the home `home` in `tree`, on the records.
std::string administratorSideOf(test::FixtureTree& tree, const std::string& home,
                                const std::vector<PrivilegedRemovalRecord>& records,
                                std::shared_ptr<RemovalFileOperations> operations = nullptr) {
    PrivilegedRemovalContext context;
    if (operations)
        context.fileOperations = std::move(operations);
    context.callingUserId = std::to_string(kCaller);
    context.homeOfUser = [home](uid_t) { return std::optional<std::string>(home); };
    context.leftoverSystemRoot = real(tree.path("system"));
    context.systemFolders = test::fixtureCleaningFolders(tree);
    context.systemFolders.systemRoot = real(tree.path("system"));
    std::istringstream input(encodePrivilegedRemovalRecords(records));
    std::ostringstream output;
    EXPECT_EQ(runPrivilegedRemoval({"zelvanexal", "--privileged-remove"}, input, output, context), 0);
    return output.str().substr(kPrivilegedRemovalStartMarker.size());
}

// The other person: a directory service's user without a local account, nobody, a systemd-homed user past
// UID_MAX, and one inside the usual range. Each is a person to the machine's default rule.
class OtherPeoplesEntries : public ::testing::TestWithParam<uid_t> {
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
        // The administrator's folder that a group shares, and a member's file written in it since: its
        // members may rename their entries over any name in it, so nothing in it goes.
        teamFolder = real(tree.folder("system/Library/Caches/com.zorblax.studio/db"));
        ASSERT_EQ(::chown(teamFolder.c_str(), 0, test::kSharedGroup), 0);
        ASSERT_EQ(::chmod(teamFolder.c_str(), 02775), 0);
        teamIndex = real(tree.file("system/Library/Caches/com.zorblax.studio/db/index", 1));
        memberFile = theirs(tree.file("system/Library/Caches/com.zorblax.studio/db/team.db", 1));
        // A file another person planted among the caller's caches.
        tool = own(tree.folder("home/Library/Caches/com.acme.tool"));
        own(tree.file("home/Library/Caches/com.acme.tool/cache.bin", 1));
        planted = theirs(tree.file("home/Library/Caches/com.acme.tool/planted", 1));
        // The caller's own leftover, with an entry of a system account (not a person) inside.
        ownLeftover = own(tree.folder("home/Library/Caches/com.gone.own"));
        const std::string service = real(tree.file("home/Library/Caches/com.gone.own/spool", 1));
        ASSERT_EQ(::lchown(service.c_str(), test::kSystemAccount, test::kSystemAccount), 0);
    }

    std::string own(const std::string& path) {
        EXPECT_EQ(::lchown(path.c_str(), kCaller, kCaller), 0);
        return real(path);
    }
    std::string theirs(const std::string& path) {
        EXPECT_EQ(::lchown(path.c_str(), GetParam(), GetParam()), 0);
        return real(path);
    }
    void expectTheirsKeptAndTheRestGone() {
        EXPECT_TRUE(exists(theirFolder + "/z2-data"));
        EXPECT_TRUE(exists(memberFile));
        EXPECT_TRUE(exists(planted));
        EXPECT_FALSE(exists(sharedOwn));
        EXPECT_TRUE(exists(teamIndex));
        EXPECT_FALSE(exists(tool + "/cache.bin"));
        EXPECT_FALSE(exists(ownLeftover));
    }
    std::string administratorSide(const std::vector<PrivilegedRemovalRecord>& records) {
        return administratorSideOf(tree, home, records);
    }

    test::FixtureTree tree;
    std::string home = real(tree.folder("home"));
    std::string shared, sharedOwn, theirFolder, teamFolder, teamIndex, memberFile, tool, planted, ownLeftover;
};

TEST_P(OtherPeoplesEntries, TheAdministratorSideKeepsThemAndRemovesTheRest) {
    const std::string report = administratorSide({{std::nullopt, shared},
                                                  {std::nullopt, teamFolder},
                                                  {std::nullopt, tool},
                                                  {std::nullopt, ownLeftover}});
    expectTheirsKeptAndTheRestGone();
    const PrivilegedRemovalReport said = decodePrivilegedRemovalReport(report);
    EXPECT_EQ(said.removed, std::set<std::string>{ownLeftover});
    EXPECT_EQ(said.kept,
              (std::map<std::string, KeptEntry>{{shared, {theirFolder}},
                                                {teamFolder, {teamFolder, KeptBecause::sharedWithOtherUsers}},
                                                {tool, {planted}}}));
}

TEST_P(OtherPeoplesEntries, TheOrdinaryPassKeepsThemAndSaysSo) {
    CleaningEngineOptions options;
    options.systemFolders = test::fixtureCleaningFolders(tree);
    options.callingUser = kCaller;
    options.people = People{};
    CleaningEngine engine(home, options);
    const CleaningResult result =
        engine.cleanItems({itemAt(shared), itemAt(teamFolder), itemAt(tool), itemAt(ownLeftover)}, {});
    expectTheirsKeptAndTheRestGone();
    EXPECT_EQ(result.deletedPaths, std::set<std::string>{ownLeftover});
    EXPECT_TRUE(result.deferredToAdmin.empty()) << "no password removes what is another person's";
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(result.keptForOtherUsers,
              (std::vector<KeptItem>{{shared, {theirFolder}},
                                     {teamFolder, {teamFolder, KeptBecause::sharedWithOtherUsers}},
                                     {tool, {planted}}}));
}

TEST_P(OtherPeoplesEntries, OnlyARealBundleOfTheMachinesApplicationsIsTheMachinesWhoeverInstalledIt) {
    // The machine's: a bundle a person installed in the machine's applications folder goes whole.
    const std::string machineBundle = theirs(tree.folder("system/Applications/Team/b-own.app"));
    theirs(tree.folder("system/Applications/Team/b-own.app/Contents"));
    theirs(tree.file("system/Applications/Team/b-own.app/Contents/Info.plist", 1));
    // Not the machine's: a bundle in the caller's own applications folder, and a plain folder named as one.
    const std::string ownBundle = own(tree.folder("home/Applications/Tool.app"));
    own(tree.folder("home/Applications/Tool.app/Contents"));
    const std::string theirInfo = theirs(tree.file("home/Applications/Tool.app/Contents/Info.plist", 1));
    const std::string notes = own(tree.folder("system/Applications/notes.app"));
    theirs(tree.folder("system/Applications/notes.app/b-sub"));
    const std::string theirNote = theirs(tree.file("system/Applications/notes.app/b-sub/b.txt", 1));

    const std::string report = administratorSide({{CleaningCategory::systemJunk, machineBundle},
                                                  {CleaningCategory::systemJunk, ownBundle},
                                                  {CleaningCategory::systemJunk, notes}});
    const PrivilegedRemovalReport said = decodePrivilegedRemovalReport(report);
    EXPECT_EQ(said.removed, std::set<std::string>{machineBundle});
    EXPECT_FALSE(exists(machineBundle));
    EXPECT_EQ(said.kept,
              (std::map<std::string, KeptEntry>{{ownBundle, {theirInfo}}, {notes, {notes + "/b-sub"}}}));
    EXPECT_TRUE(exists(theirInfo));
    EXPECT_TRUE(exists(theirNote));
}

// Another person renames files of their own over the names in a folder of the caller's item, right after
// the removal looks at each: where the folder has no sticky bit, nothing in it may go by its name.
class RenamedOverNames : public ::testing::TestWithParam<mode_t> {
protected:
    void SetUp() override {
        if (!test::runsAsRoot())
            GTEST_SKIP() << test::kNeedsRootToChangeOwners;
        race = real(tree.folder("home/Library/Caches/com.race.1"));
        for (int i = 0; i < 20; ++i)
            handToCaller(tree.file("home/Library/Caches/com.race.1/f" + std::to_string(i), 1));
        handToCaller(tree.folder("home/Library/Caches/com.race.1/E"));
        handToCaller(tree.file("home/Library/Caches/com.race.1/E/inside", 1));
        ASSERT_EQ(::chown(race.c_str(), kCaller, test::kSharedGroup), 0);
        ASSERT_EQ(::chmod(race.c_str(), GetParam()), 0);
        test::RenamingOverNames::makeStash(stash, kStashSize, test::kOtherPerson, test::kSharedGroup);
        operations =
            std::make_shared<test::RenamingOverNames>(race, stash, test::kOtherPerson, test::kSharedGroup);
    }
    static void handToCaller(const std::string& path) {
        ASSERT_EQ(::lchown(path.c_str(), kCaller, kCaller), 0);
    }
    bool isSticky() const { return (GetParam() & S_ISVTX) != 0; }
    // The person's files, wherever they are now: none of them may have gone.
    int theirFilesLeft() const {
        int count = 0;
        for (const std::string& folder : {stash, race})
            for (int i = 0; i < 20 + kStashSize; ++i) {
                struct stat info;
                for (const std::string& name : {std::to_string(i), "f" + std::to_string(i)})
                    if (::lstat((folder + "/" + name).c_str(), &info) == 0 &&
                        info.st_uid == test::kOtherPerson)
                        ++count;
            }
        return count;
    }
    void expectOutcome(bool keptWhole) {
        EXPECT_EQ(theirFilesLeft(), kStashSize);
        if (isSticky()) {
            EXPECT_EQ(operations->renamed(), 0) << "a sticky folder lets nobody rename over another's names";
            EXPECT_FALSE(test::exists(race));
        } else {
            EXPECT_TRUE(keptWhole);
            EXPECT_TRUE(test::exists(race + "/f0"));
            EXPECT_TRUE(test::exists(race + "/E/inside"));
        }
    }

    static constexpr int kStashSize = 40;
    test::FixtureTree tree;
    std::string home = real(tree.folder("home"));
    std::string race;
    std::string stash = tree.path("stash");
    std::shared_ptr<test::RenamingOverNames> operations;
};

TEST_P(RenamedOverNames, TheOrdinaryPassTakesNothingByNameFromAFolderOthersMayRenameInto) {
    CleaningEngineOptions options;
    options.systemFolders = test::fixtureCleaningFolders(tree);
    options.callingUser = kCaller;
    options.people = People{};
    options.fileOperations = operations;
    const CleaningResult result = CleaningEngine(home, options).cleanItems({itemAt(race)}, {});
    const std::vector<KeptItem> keptWhole{{race, {race, KeptBecause::sharedWithOtherUsers}}};
    expectOutcome(result.keptForOtherUsers == keptWhole);
    EXPECT_EQ(result.deletedPaths.contains(race), isSticky());
}

TEST_P(RenamedOverNames, TheAdministratorSideTakesNothingByNameFromAFolderOthersMayRenameInto) {
    const PrivilegedRemovalReport said =
        decodePrivilegedRemovalReport(administratorSideOf(tree, home, {{std::nullopt, race}}, operations));
    expectOutcome(said.kept ==
                  std::map<std::string, KeptEntry>{{race, {race, KeptBecause::sharedWithOtherUsers}}});
    EXPECT_EQ(said.removed.contains(race), isSticky());
}

INSTANTIATE_TEST_SUITE_P(Modes, RenamedOverNames,
                         ::testing::Values(mode_t{0777}, mode_t{02775}, mode_t{01777}));

INSTANTIATE_TEST_SUITE_P(People, OtherPeoplesEntries,
                         ::testing::Values(test::kOtherPerson, uid_t{65534}, uid_t{60100}, uid_t{1002}));

} // namespace
} // namespace zn
