#include "Logic/Removal/OrphanSafetyPolicy.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/Process.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Logic/Removal/OrphanAdminRemoval.h"
#include "ViewModels/OrphanRemoval.h"
#include "appsupport/AppStateHarness.h"
#include "support/EntrySwapper.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"
#include "support/RenamingOverNames.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {
namespace {

using test::exists;

// What these removals keep: the entries of every person but the one running the tests.
const OtherPeople kOtherPeople(::getuid(), People{});

// Records what it is asked to run, answers as told, and can hand the program form's input to the real
// administrator side.
class RecordingAdminRunner final : public AdminRunner {
public:
    Form form() const override { return runnerForm; }
    AdminRunOutcome run(const AdminCommand& command) override {
        commands.push_back(command);
        return answer;
    }
    AdminRunOutcome runPrivilegedRemoval(const std::string& input) override {
        inputs.push_back(input);
        if (onPrivilegedRun)
            return onPrivilegedRun(input);
        return answer;
    }

    Form runnerForm = Form::privilegedProgram;
    AdminRunOutcome answer{AdminRunOutcome::Status::succeeded, {}};
    std::function<AdminRunOutcome(const std::string&)> onPrivilegedRun;
    std::vector<AdminCommand> commands;
    std::vector<std::string> inputs;
};

// Leftovers in a fixture home: the real rules for it, real link-safe removal and Trash, and a scripted
// administrator pass.
class OrphanRemoval : public ::testing::Test {
protected:
    test::FixtureTree tree;
    std::string home = tree.folder("home");
    std::vector<std::vector<std::string>> administratorCalls;
    bool administratorRuns = true;
    std::set<std::string> deniedPaths; // the plain removal fails for lack of permission
    std::set<std::string> administratorRemoves;
    OrphanRemovalTools tools = toolsFor(home);

    // The real tools of the current user with `userHome`, the fixture's system folders and its Trash.
    OrphanRemovalTools toolsFor(const std::string& userHome) {
        return OrphanRemovalTools::forRules(
            std::make_shared<const LeftoverRules>(userHome, ::getuid(), tree.folder("system"),
                                                  test::fixtureCleaningFolders(tree), People{}),
            Trash(tree.path("trash"), People{}));
    }

    void SetUp() override {
        tools.removePermanently = [this](const std::string& path) {
            return deniedPaths.contains(path) ? OrphanRemoveOutcome::permissionDenied
                                              : removeLeftoverPermanently(path, kOtherPeople);
        };
        // As the administrator side reports: what it removed.
        tools.removeWithAdminPrivileges = [this](const std::vector<std::string>& paths) {
            administratorCalls.push_back(paths);
            PrivilegedRemovalReport report;
            for (const std::string& path : paths) {
                if (!administratorRuns || !administratorRemoves.contains(path))
                    continue;
                const OrphanRemoveResult removal = removeLeftoverPermanently(path, kOtherPeople);
                if (removal.outcome == OrphanRemoveOutcome::removed)
                    report.removed.insert(path);
                else if (removal.outcome == OrphanRemoveOutcome::keptForAnotherUser)
                    report.kept.emplace(path, removal.keptEntry);
            }
            return report;
        };
    }
    std::string cache(const std::string& name) {
        return tree.textFile("home/Library/Caches/" + name, "data");
    }

    // Leftovers in "Library/Caches/bdir" and the user's own files of the same names in Documents, while
    // whoever may rename entries in the caches swaps "bdir" with a link to Documents over and over. Runs
    // `act` on every leftover for a few rounds and counts the times it reported success; afterwards not
    // one of the user's documents may be gone.
    int actWhileAFolderOnTheWayIsSwappedWithALink(const std::function<bool(const std::string&)>& act) {
        constexpr int kItems = 300;
        for (int i = 0; i < kItems; ++i) {
            tree.textFile("home/Library/Caches/bdir/item-" + std::to_string(i), "leftover");
            tree.textFile("home/Documents/item-" + std::to_string(i), "own");
        }
        const std::string folder = home + "/Library/Caches/bdir";
        int succeeded = 0;
        {
            test::EntrySwapper swapper(folder,
                                       tree.symlink("home/Library/Caches/decoy", home + "/Documents"));
            for (int round = 0; round < 5; ++round)
                for (int i = 0; i < kItems; ++i)
                    succeeded += act(folder + "/item-" + std::to_string(i)) ? 1 : 0;
        }
        for (int i = 0; i < kItems; ++i)
            EXPECT_TRUE(exists(home + "/Documents/item-" + std::to_string(i))) << i;
        return succeeded;
    }
};

TEST_F(OrphanRemoval, AFolderOnTheWaySwappedWithALinkAfterTheCheckNeverLeadsTheRemovalElsewhere) {
    const int removed = actWhileAFolderOnTheWayIsSwappedWithALink(
        [&](const std::string& path) { return removeOrphans({path}, tools).removed.contains(path); });
    EXPECT_GT(removed, 0);
}

TEST_F(OrphanRemoval, AFolderOnTheWaySwappedWithALinkAfterTheCheckNeverLeadsTheTrashElsewhere) {
    const int trashed = actWhileAFolderOnTheWayIsSwappedWithALink([&](const std::string& path) {
        return trashOrphan(path, tools).outcome == OrphanTrashOutcome::trashed;
    });
    EXPECT_GT(trashed, 0);
    int inTrash = 0;
    for (const auto& entry : std::filesystem::directory_iterator(tree.path("trash/files"))) {
        std::ifstream file(entry.path());
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "leftover") << entry.path();
        ++inTrash;
    }
    EXPECT_EQ(inTrash, trashed);
}

TEST_F(OrphanRemoval, RemovesWhatThePolicyAllowsAndKeepsWhatItRefuses) {
    const std::string folder = tree.folder("home/Library/Caches/com.gone.app");
    tree.textFile("home/Library/Caches/com.gone.app/inner/file", "x");
    const std::string log = tree.textFile("home/Library/Logs/Gone App.log", "x");
    const std::string support = tree.textFile("home/Library/Application Support/Gone App/data", "x");
    const std::string system = cache("com.apple.something");

    const auto outcome = removeOrphans({folder, support, log, system}, tools);
    EXPECT_EQ(outcome.removed, (std::set<std::string>{folder, log}));
    EXPECT_EQ(outcome.failures,
              (std::vector<std::string>{support + " (kept for safety)", system + " (kept for safety)"}));
    EXPECT_FALSE(exists(folder));
    EXPECT_FALSE(exists(log));
    EXPECT_TRUE(exists(support));
    EXPECT_TRUE(exists(system));
    EXPECT_TRUE(administratorCalls.empty());
}

TEST_F(OrphanRemoval, ALinkGoesAsTheLinkAndNeverTakesItsTarget) {
    const std::string target = tree.textFile("home/Documents/precious", "keep me");
    const std::string link = tree.symlink("home/Library/Caches/Gone Link", target);
    const std::string outside = tree.textFile("home/Library/Caches/Target Inside/file", "x");
    const std::string inner =
        tree.symlink("home/Library/Caches/Inner Link", tree.path("home/Library/Caches/Target Inside"));

    // A link out of the allowed folders is refused; one that stays inside goes as the link.
    const auto outcome = removeOrphans({link, inner}, tools);
    EXPECT_EQ(outcome.failures, std::vector<std::string>{link + " (kept for safety)"});
    EXPECT_EQ(outcome.removed, std::set<std::string>{inner});
    EXPECT_TRUE(exists(target));
    EXPECT_TRUE(exists(link));
    EXPECT_FALSE(exists(inner));
    EXPECT_TRUE(exists(outside));
}

TEST_F(OrphanRemoval, PermissionFailuresShareOneAdministratorPassJudgedByWhatItReports) {
    const std::string a = cache("Gone A");
    const std::string b = cache("Gone B");
    const std::string c = cache("Gone C");
    deniedPaths = {a, b};
    administratorRemoves = {a}; // b survives the pass
    const auto outcome = removeOrphans({a, b, c}, tools);
    ASSERT_EQ(administratorCalls.size(), 1u);
    EXPECT_EQ(administratorCalls[0], (std::vector<std::string>{a, b}));
    EXPECT_EQ(outcome.removed, (std::set<std::string>{a, c}));
    EXPECT_EQ(outcome.failures, std::vector<std::string>{b});

    // A cancelled or failed pass reports every one of them.
    const std::string d = cache("Gone D");
    const std::string e = cache("Gone E");
    deniedPaths = {d, e};
    administratorRemoves = {d, e};
    administratorRuns = false;
    const auto cancelled = removeOrphans({d, e}, tools);
    EXPECT_TRUE(cancelled.removed.empty());
    EXPECT_EQ(cancelled.failures, (std::vector<std::string>{d, e}));
}

TEST_F(OrphanRemoval, AnotherUsersEntryStaysOnEitherPassAndIsNamed) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    std::vector<std::string> folders, theirs;
    for (const std::string& name : {std::string("com.gone.shared"), std::string("com.gone.denied")}) {
        folders.push_back(tree.folder("home/Library/Caches/" + name));
        tree.file("home/Library/Caches/" + name + "/mine.db", 1);
        theirs.push_back(tree.file("home/Library/Caches/" + name + "/z2-dir/z2-data", 1));
        for (const std::string& path : {folders.back() + "/z2-dir", theirs.back()})
            ASSERT_EQ(::lchown(path.c_str(), test::kOtherPerson, test::kOtherPerson), 0);
    }
    deniedPaths = {folders[1]};
    administratorRemoves = {folders[1]};
    const auto outcome = removeOrphans(folders, tools);
    EXPECT_TRUE(outcome.removed.empty());
    EXPECT_EQ(outcome.failures, (std::vector<std::string>{keptEntryText({folders[0] + "/z2-dir"}),
                                                          keptEntryText({folders[1] + "/z2-dir"})}));
    for (std::size_t i = 0; i < folders.size(); ++i) {
        EXPECT_TRUE(exists(theirs[i]));
        EXPECT_FALSE(exists(folders[i] + "/mine.db"));
    }
}

TEST_F(OrphanRemoval, NothingGoesByItsNameFromAFolderOthersMayRenameTheirOwnFilesInto) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    constexpr uid_t kCaller = 4242;
    const OtherPeople othersOfCaller(kCaller, People{});
    for (const mode_t mode : {mode_t{0777}, mode_t{02775}, mode_t{01777}}) {
        const std::string relative = "home/Library/Caches/com.race." + std::to_string(mode);
        const std::string race = tree.folder(relative);
        for (const char* name : {"a", "b", "c"})
            ASSERT_EQ(::lchown(tree.file(relative + "/" + name, 1).c_str(), kCaller, kCaller), 0);
        ASSERT_EQ(::chown(race.c_str(), kCaller, test::kSharedGroup), 0);
        ASSERT_EQ(::chmod(race.c_str(), mode), 0);
        const std::string stash = tree.path("stash-" + std::to_string(mode));
        test::RenamingOverNames::makeStash(stash, 3, test::kOtherPerson, test::kSharedGroup);
        const auto person =
            std::make_shared<test::RenamingOverNames>(race, stash, test::kOtherPerson, test::kSharedGroup);

        const OrphanRemoveResult result = removeLeftoverPermanently(race, othersOfCaller, person);
        if (mode & S_ISVTX) {
            EXPECT_EQ(result.outcome, OrphanRemoveOutcome::removed) << mode;
            EXPECT_EQ(person->renamed(), 0) << mode;
        } else {
            EXPECT_EQ(result.outcome, OrphanRemoveOutcome::keptForAnotherUser) << mode;
            EXPECT_EQ(keptEntryText(result.keptEntry),
                      race + " was kept: it is a folder shared with other users");
            EXPECT_TRUE(exists(race + "/a")) << mode;
        }
        for (const char* name : {"0", "1", "2"})
            EXPECT_TRUE(exists(stash + "/" + name)) << mode << " " << name;
    }
}

TEST_F(OrphanRemoval, TheAdministratorSidesReportDecidesWhatWasRemoved) {
    // A path found empty afterwards was not necessarily removed: a folder on its way may have been
    // exchanged for another meanwhile. Only what the removal itself reports counts.
    const std::string gone = cache("Gone Anyway");
    const std::string removed = cache("Gone Removed");
    RecordingAdminRunner runner;
    runner.onPrivilegedRun = [&](const std::string&) {
        ::unlink(gone.c_str());
        ::unlink(removed.c_str());
        return AdminRunOutcome{AdminRunOutcome::Status::succeeded, {}, removed + '\0'};
    };
    const PrivilegedRemovalReport report =
        removeLeftoversWithAdminPrivileges({gone, removed}, runner, tools.mayGoToAdministrator);
    EXPECT_EQ(report.removed, std::set<std::string>{removed});
}

TEST_F(OrphanRemoval, LeftoversInASharedTemporaryFolderNeverGoToTheAdministrator) {
    // A user whose home is the shared temporary folder itself: what refuses the user there is another
    // user's, and the user's own rights already reach all that is the user's.
    const std::string shared = tree.folder("system/tmp");
    OrphanRemovalTools sharedHome = toolsFor(shared);
    sharedHome.removePermanently = tools.removePermanently;
    sharedHome.removeWithAdminPrivileges = tools.removeWithAdminPrivileges;
    const std::string stuff = tree.folder("system/tmp/Library/Caches/malstuff");
    const std::string log = tree.textFile("system/tmp/Library/Logs/mallog", "theirs");
    deniedPaths = {stuff, log};
    administratorRemoves = {stuff, log};

    const auto outcome = removeOrphans({stuff, log}, sharedHome);
    EXPECT_TRUE(administratorCalls.empty());
    EXPECT_TRUE(outcome.removed.empty());
    EXPECT_EQ(outcome.failures, (std::vector<std::string>{stuff, log}));
    EXPECT_TRUE(exists(stuff));
    EXPECT_TRUE(exists(log));

    // Handed to the administrator pass anyway, in either form, they are refused before anything runs.
    RecordingAdminRunner runner;
    removeLeftoversWithAdminPrivileges({stuff, log}, runner, sharedHome.mayGoToAdministrator);
    runner.runnerForm = AdminRunner::Form::appleScript;
    removeLeftoversWithAdminPrivileges({log}, runner, sharedHome.mayGoToAdministrator);
    EXPECT_TRUE(runner.inputs.empty());
    EXPECT_TRUE(runner.commands.empty());

    // A home inside the shared folder keeps its own rules, as a home elsewhere does.
    const std::string guestHome = tree.folder("system/tmp/guests/h");
    const std::string guests = tree.folder("system/tmp/guests/h/Library/Caches/com.gone.app");
    EXPECT_TRUE(toolsFor(guestHome).mayGoToAdministrator(guests));
    EXPECT_TRUE(tools.mayGoToAdministrator(cache("com.gone.app")));
}

TEST(OrphanRemovalMessage, CountsEveryFailureAndListsThreeThenAnEllipsis) {
    EXPECT_EQ(orphanRemovalMessage({}), std::nullopt);
    EXPECT_EQ(orphanRemovalMessage({"/a", "/b", "/c"}),
              "Zelva Nexal couldn't remove 3 item(s).\n\n/a\n/b\n/c");
    EXPECT_EQ(orphanRemovalMessage({"/a", "/b (kept for safety)", "/c", "/d"}),
              "Zelva Nexal couldn't remove 4 item(s).\n\n/a\n/b (kept for safety)\n/c\n\u2026");
    EXPECT_EQ(orphanRemovalMessage({"/a", "/b", "/c", "/d", "/e", "/f"}),
              "Zelva Nexal couldn't remove 6 item(s).\n\n/a\n/b\n/c\n\u2026");
}

TEST_F(OrphanRemoval, MovingToTheTrashIsCheckedFirstAndReportsWhatHappened) {
    const std::string gone = cache("Trash Me");
    const std::string refused = tree.textFile("home/Library/Preferences/gone.plist", "x");
    std::vector<std::string> moved;
    int error = 0;
    tools.moveToTrash = [&](const std::string& path) {
        moved.push_back(path);
        Trash::Outcome outcome;
        outcome.moved = error == 0;
        outcome.errorNumber = error;
        return outcome;
    };
    EXPECT_EQ(trashOrphan(refused, tools).outcome, OrphanTrashOutcome::keptForSafety);
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(trashOrphan(gone, tools).outcome, OrphanTrashOutcome::trashed);
    error = EXDEV;
    EXPECT_EQ(trashOrphan(gone, tools).outcome, OrphanTrashOutcome::failed);
    // ENOENT from the Trash while the file is still there: a folder of the Trash's was missing.
    error = ENOENT;
    EXPECT_EQ(trashOrphan(gone, tools).outcome, OrphanTrashOutcome::failed);
    ASSERT_EQ(::unlink(gone.c_str()), 0);
    EXPECT_EQ(trashOrphan(gone, tools).outcome, OrphanTrashOutcome::alreadyGone);
    EXPECT_EQ(moved.size(), 4u);
}

TEST_F(OrphanRemoval, APathEndingInDotsIsNeverTakenForTheFolderItLeadsTo) {
    // Such a path leads to a folder the policy allows, but names no entry a removal could act on: each
    // would take a different folder than the one the list names. The policy and every removal refuse it.
    const std::string folder = tree.folder("home/Library/Caches/com.gone.app");
    tree.textFile("home/Library/Caches/com.gone.app/inner/file", "x");
    const std::string up = folder + "/inner/..";
    const std::string here = folder + "/.";
    EXPECT_EQ(tools.checkedPath(up), std::nullopt);
    EXPECT_EQ(tools.checkedPath(here), std::nullopt);

    EXPECT_EQ(removeLeftoverPermanently(up, kOtherPeople).outcome, OrphanRemoveOutcome::failed);
    EXPECT_EQ(removeLeftoverPermanently(here, kOtherPeople).outcome, OrphanRemoveOutcome::failed);
    const auto outcome = removeOrphans({up, here}, tools);
    EXPECT_TRUE(outcome.removed.empty());
    EXPECT_EQ(outcome.failures, (std::vector<std::string>{keptForSafetyText(up), keptForSafetyText(here)}));
    EXPECT_TRUE(administratorCalls.empty());

    RecordingAdminRunner runner;
    removeLeftoversWithAdminPrivileges({up}, runner, tools.mayGoToAdministrator);
    removeLeftoversWithAdminPrivileges({here}, runner, tools.mayGoToAdministrator);
    EXPECT_TRUE(runner.inputs.empty());
    EXPECT_TRUE(exists(folder + "/inner/file"));
}

// Paths with a single quote, a double quote, a blank and a backslash.
std::vector<std::string> awkwardNames() {
    return {"it's here", "say \"cheese\"", "back\\slash", "all ' \" \\ of them"};
}

TEST_F(OrphanRemoval, TheAppleScriptFormHandsEveryPathToRmUnchanged) {
    std::vector<std::string> paths;
    for (const std::string& name : awkwardNames())
        paths.push_back(home + "/Library/Caches/" + name);
    RecordingAdminRunner runner;
    runner.runnerForm = AdminRunner::Form::appleScript;
    removeLeftoversWithAdminPrivileges(paths, runner, tools.mayGoToAdministrator);
    ASSERT_EQ(runner.commands.size(), 1u);
    const AdminCommand& command = runner.commands[0];
    EXPECT_EQ(command.shellCommand.rfind("rm -rf -- '", 0), 0u);
    EXPECT_EQ(leftoverRemovalShellCommand({"/a/it's"}), "rm -rf -- '/a/it'\"'\"'s'");

    // The AppleScript string gives back the shell command...
    const std::string prefix = "do shell script \"";
    const std::string suffix = "\" with administrator privileges";
    const std::string& script = command.appleScript;
    ASSERT_EQ(script.rfind(prefix, 0), 0u);
    ASSERT_TRUE(script.ends_with(suffix));
    std::string unescaped;
    for (std::size_t i = prefix.size(); i < script.size() - suffix.size(); ++i) {
        if (script[i] == '\\')
            ++i;
        else
            ASSERT_NE(script[i], '"') << "an unescaped quote ends the string early";
        unescaped.push_back(script[i]);
    }
    EXPECT_EQ(unescaped, command.shellCommand);

    // ...and a real shell hands rm each path as one unchanged argument.
    ProcessRequest request{
        "/bin/sh", {"-c", "rm() { printf '%s\\0' \"$@\"; }; eval \"$1\"", "sh", command.shellCommand}};
    const ProcessResult result = runProcess(request);
    ASSERT_TRUE(result.succeeded());
    std::vector<std::string> arguments;
    std::istringstream output(result.standardOutput);
    for (std::string argument; std::getline(output, argument, '\0');)
        arguments.push_back(argument);
    std::vector<std::string> expected{"-rf", "--"};
    expected.insert(expected.end(), paths.begin(), paths.end());
    EXPECT_EQ(arguments, expected);
}

TEST_F(OrphanRemoval, TheProgramFormHandsThePathsAsDataToTheAdministratorSide) {
    std::vector<std::string> paths;
    for (const std::string& name : awkwardNames())
        paths.push_back(tree.textFile("home/Library/Caches/" + name, "x"));
    RecordingAdminRunner runner;
    PrivilegedRemovalContext context;
    context.callingUserId = "4242";
    context.people = test::kPeople;
    context.homeOfUser = [this](uid_t) { return std::optional<std::string>(home); };
    context.systemFolders = test::fixtureCleaningFolders(tree);
    runner.onPrivilegedRun = [&](const std::string& input) {
        std::istringstream in(input);
        std::ostringstream out;
        const int status = runPrivilegedRemoval({"zelvanexal", "--privileged-remove"}, in, out, context);
        return AdminRunOutcome{status == 0 ? AdminRunOutcome::Status::succeeded
                                           : AdminRunOutcome::Status::failed,
                               {},
                               out.str().substr(kPrivilegedRemovalStartMarker.size())};
    };
    const PrivilegedRemovalReport report =
        removeLeftoversWithAdminPrivileges(paths, runner, tools.mayGoToAdministrator);
    EXPECT_EQ(report.removed, std::set<std::string>(paths.begin(), paths.end()));
    ASSERT_EQ(runner.inputs.size(), 1u);
    const auto records = decodePrivilegedRemovalRecords(runner.inputs[0]);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ((*records)[i], (PrivilegedRemovalRecord{std::nullopt, paths[i]}));
        EXPECT_FALSE(exists(paths[i])) << paths[i];
    }
}

TEST_F(OrphanRemoval, TheAdministratorPassRefusesBeforeAnythingRuns) {
    RecordingAdminRunner runner;
    removeLeftoversWithAdminPrivileges({}, runner, tools.mayGoToAdministrator);
    const std::string allowed = cache("Gone");
    const std::string refused = tree.textFile("home/.ssh/id_rsa", "secret");
    removeLeftoversWithAdminPrivileges({allowed, refused}, runner, tools.mayGoToAdministrator);
    EXPECT_TRUE(runner.inputs.empty());
    EXPECT_TRUE(exists(allowed));

    // The password dialog dismissed, or the removal failing before it reported anything, removed nothing.
    runner.answer = {AdminRunOutcome::Status::cancelled, "User canceled. (-128)"};
    EXPECT_TRUE(
        removeLeftoversWithAdminPrivileges({allowed}, runner, tools.mayGoToAdministrator).removed.empty());
    runner.answer = {AdminRunOutcome::Status::failed, "Not authorized"};
    EXPECT_TRUE(
        removeLeftoversWithAdminPrivileges({allowed}, runner, tools.mayGoToAdministrator).removed.empty());
    EXPECT_EQ(runner.inputs.size(), 2u);
}

} // namespace
} // namespace zn
