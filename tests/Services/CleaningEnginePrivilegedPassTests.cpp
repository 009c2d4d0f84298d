#include "Platform/core/PathResolution.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Services/CleaningEngine.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/EntrySwapper.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"
#include "support/ScriptedFileOperations.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

// The administrator pass where there is no osascript: the engine hands the checked list to this program,
// started as administrator, which checks every entry again before it removes anything. The administrator
// side runs in this process here; CleaningEnginePrivilegedProgramTests starts the real program.
namespace zn {
namespace {

namespace fs = std::filesystem;
using test::exists;
using test::itemAt;
using Line = test::LogCapture::Line;
using Status = AdminRunOutcome::Status;
using Category = CleaningCategory;

const std::string kSource = "cleanWithAdminPrivileges(items:)";
const std::string kMarker(kPrivilegedRemovalStartMarker);
const std::vector<std::string> kArguments{"/usr/bin/zelvanexal", "--privileged-remove"};
constexpr uid_t kCallingUser = 4242;

std::string real(const std::string& path) {
    return *resolvedPathIfResolvable(path);
}

std::string refusalLine(const std::string& path) {
    return "Refusing admin escalation for unsafe path: " + path;
}

class PrivilegedPassTest : public ::testing::Test {
protected:
    PrivilegedPassTest() {
        runner->runnerForm = AdminRunner::Form::privilegedProgram;
        // What pkexec and the program would do: the tree may change while the dialog is open, then the
        // administrator side gets the input.
        runner->onPrivilegedRun = [this](const std::string& input) {
            stagingFilesDuringDialog = countEntries(temporary);
            if (duringDialog)
                duringDialog();
            const int status = administratorSide(input);
            const std::string report = output.substr(kMarker.size());
            if (status == 0)
                return AdminRunOutcome{Status::succeeded, {}, report};
            return AdminRunOutcome{Status::failed,
                                   "The administrator removal exited with status " + std::to_string(status),
                                   report};
        };
    }

    CleaningEngine makeEngine(uid_t callingUser = ::getuid(), std::function<Date()> now = {}) {
        CleaningEngineOptions options;
        options.now = std::move(now);
        options.adminRunner = runner;
        options.temporaryDirectory = temporary;
        options.systemFolders = systemFolders;
        options.callingUser = callingUser;
        return CleaningEngine(home, options);
    }

    int administratorSide(const std::string& input, const std::vector<std::string>& arguments = kArguments) {
        std::istringstream in(input);
        std::ostringstream out;
        const int status = runPrivilegedRemoval(arguments, in, out, context);
        output = out.str();
        return status;
    }

    // Shared temporary entries go only once they rested for a day.
    void ageByAMonth(const std::vector<std::string>& relativePaths) {
        for (const std::string& path : relativePaths)
            tree.setModificationTime(path, std::time(nullptr) - 30 * 24 * 60 * 60);
    }

    static int countEntries(const std::string& folder) {
        int count = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
            ++count;
        return count;
    }

    test::FixtureTree tree;
    std::string home = real(tree.folder("home"));
    std::string temporary = real(tree.folder("tmp"));
    SystemCleaningFolders systemFolders = test::fixtureCleaningFolders(tree);
    // The fixture's /tmp: a shared folder where only the calling user's own entries may go.
    std::string shared = real(tree.folder("system/tmp"));
    PrivilegedRemovalContext context{
        std::to_string(kCallingUser),
        [this](uid_t user) { return user == kCallingUser ? std::optional<std::string>(home) : std::nullopt; },
        systemFolders,
        std::make_shared<SystemRemovalFileOperations>(),
        {},
        nullptr,
        kPrivilegedRemovalInputLimit,
        {},
        test::kPeople};
    std::shared_ptr<test::RecordingAdminRunner> runner = std::make_shared<test::RecordingAdminRunner>();
    CleaningEngine engine = makeEngine();
    std::function<void()> duringDialog;
    int stagingFilesDuringDialog = -1;
    std::string output;
    test::LogCapture log;
};

TEST_F(PrivilegedPassTest, EachPlaceGoesOnceWithItsCategoryOnTheProgramsInputAndNoFileIsStaged) {
    const std::string a = tree.file("home/Library/Caches/A", 10);
    const std::string b = tree.file("home/Library/Logs/it's a \"log\"\nwith a newline", 10);
    const std::string link = tree.symlink("home/Library/Caches/link-to-a", a);
    const std::string movie = tree.file("home/Downloads/movie.mov", 10);
    const std::string bundle = tree.file("home/Applications/Tool.app/Contents/Info.plist", 10);

    CleaningResult result = engine.cleanWithAdminPrivileges(
        {itemAt(link, 7), itemAt(b, 5), itemAt(a, 7), itemAt(movie, 20, Category::largeFiles),
         itemAt(home + "/Applications/Tool.app", 30, Category::systemJunk)});

    ASSERT_EQ(runner->privilegedInputs.size(), 1u);
    EXPECT_TRUE(runner->commands.empty());
    EXPECT_EQ(runner->privilegedInputs[0],
              encodePrivilegedRemovalRecords({{Category::userCache, a},
                                              {Category::userCache, b},
                                              {Category::largeFiles, movie},
                                              {Category::systemJunk, home + "/Applications/Tool.app"}}));
    EXPECT_EQ(stagingFilesDuringDialog, 0);
    EXPECT_EQ(output, kMarker + a + '\0' + b + '\0' + movie + '\0' + home + "/Applications/Tool.app" + '\0');
    EXPECT_FALSE(exists(a));
    EXPECT_FALSE(exists(b));
    EXPECT_FALSE(exists(movie));
    EXPECT_FALSE(exists(bundle));

    EXPECT_EQ(result.deletedCount, 4);
    EXPECT_EQ(result.freedSpace, 7 + 5 + 20 + 30);
    EXPECT_EQ(result.deletedPaths,
              (std::set<std::string>{link, a, b, movie, home + "/Applications/Tool.app"}));
    EXPECT_TRUE(result.errors.empty());
    const std::vector<Line> expected{{"Admin pass starting with 5 item(s)", LogLevel::info, kSource},
                                     {"Admin pass complete: 4 deleted, 0 survived", LogLevel::info, kSource}};
    EXPECT_EQ(log.lines(), expected);
}

TEST_F(PrivilegedPassTest, AFolderSwappedForALinkDuringTheDialogLeadsNowhere) {
    const std::string config = tree.textFile("home/Library/Caches/app/etc/config", "cache");
    tree.textFile("outside/app/etc/config", "the system's own");
    duringDialog = [&] {
        fs::rename(home + "/Library/Caches", home + "/Library/Caches.real");
        fs::create_directory_symlink(tree.path("outside"), home + "/Library/Caches");
    };

    CleaningResult result = engine.cleanWithAdminPrivileges({itemAt(config, 10)});
    EXPECT_EQ(output, kMarker); // the administrator side removed nothing
    EXPECT_TRUE(exists(tree.path("outside/app/etc/config")));
    EXPECT_TRUE(exists(home + "/Library/Caches.real/app/etc/config"));
    // Nothing at the old text now says nothing about the old place: still a survivor.
    EXPECT_EQ(result.deletedCount, 0);
    EXPECT_EQ(result.errors, std::vector<std::string>{"config at " + config + " survived admin removal"});
    const auto messages = log.messages();
    EXPECT_NE(std::find(messages.begin(), messages.end(), refusalLine(config)), messages.end());

    // Where the link leads to nothing, the old place is no less there: the survivor check does not follow a
    // folder that became a link.
    fs::remove(home + "/Library/Caches");
    fs::rename(home + "/Library/Caches.real", home + "/Library/Caches");
    duringDialog = [&] {
        fs::rename(home + "/Library/Caches", home + "/Library/Caches.real");
        fs::create_directory_symlink(tree.folder("empty"), home + "/Library/Caches");
    };
    result = engine.cleanWithAdminPrivileges({itemAt(config, 10)});
    EXPECT_EQ(output, kMarker);
    EXPECT_TRUE(exists(home + "/Library/Caches.real/app/etc/config"));
    EXPECT_EQ(result.deletedCount, 0);
    EXPECT_TRUE(result.deletedPaths.empty());
    EXPECT_EQ(result.errors, std::vector<std::string>{"config at " + config + " survived admin removal"});
}

TEST_F(PrivilegedPassTest, APathTakenAsCheckedGoesAsWrittenOrNotAtAll) {
    // The uninstaller hands over paths it checked to have no link: they are never looked up anew.
    const std::string own = tree.textFile("home/Library/Preferences/com.foo.app.plist", "the user's own");
    tree.folder("home/Library/Caches/bdir");
    const std::string leftover = tree.textFile("home/Library/Caches/bdir/leftover.plist", "leftover");
    tree.symlink("home/Library/Caches/linked", home + "/Library/Preferences");
    const std::string link = tree.symlink("home/Library/Caches/com.foo.app.plist", own);
    const auto asChecked = [&](const std::string& path) {
        return engine.cleanWithAdminPrivileges({itemAt(path, 10, Category::systemJunk)},
                                               PathReading::asChecked);
    };

    EXPECT_TRUE(asChecked(home + "/Library/Caches/linked/com.foo.app.plist").deletedPaths.empty());
    EXPECT_TRUE(asChecked(link).deletedPaths.empty());
    EXPECT_TRUE(runner->privilegedInputs.empty());
    EXPECT_EQ(log.messages()[1], refusalLine(home + "/Library/Caches/linked/com.foo.app.plist"));
    EXPECT_TRUE(exists(own));
    EXPECT_TRUE(exists(link));

    EXPECT_EQ(asChecked(leftover).deletedCount, 1);
    EXPECT_EQ(runner->privilegedInputs,
              std::vector<std::string>{encodePrivilegedRemovalRecords({{Category::systemJunk, leftover}})});
    EXPECT_FALSE(exists(leftover));
}

TEST_F(PrivilegedPassTest, AFolderSwappedWithALinkWhileCheckedPathsAreHandedOverLeadsNowhere) {
    // Another user swaps a folder on the way with a link to the user's Preferences, over and over.
    constexpr int kItems = 300;
    for (int i = 0; i < kItems; ++i) {
        tree.textFile("home/Library/Caches/bdir/com.foo.app-" + std::to_string(i) + ".plist", "leftover");
        tree.textFile("home/Library/Preferences/com.foo.app-" + std::to_string(i) + ".plist", "own");
    }
    const std::string folder = home + "/Library/Caches/bdir";
    std::int64_t removed = 0;
    {
        test::EntrySwapper swapper(folder,
                                   tree.symlink("home/Library/Caches/decoy", home + "/Library/Preferences"));
        for (int i = 0; i < kItems; ++i)
            removed +=
                engine
                    .cleanWithAdminPrivileges({itemAt(folder + "/com.foo.app-" + std::to_string(i) + ".plist",
                                                      10, Category::systemJunk)},
                                              PathReading::asChecked)
                    .deletedCount;
    }
    EXPECT_GT(removed, 0);
    for (int i = 0; i < kItems; ++i)
        EXPECT_TRUE(exists(home + "/Library/Preferences/com.foo.app-" + std::to_string(i) + ".plist")) << i;
}

TEST_F(PrivilegedPassTest, ALargeFileSwappedForAFolderDuringTheDialogStays) {
    const std::string movie = tree.file("home/Downloads/movie.mov", 10);
    duringDialog = [&] {
        fs::remove(movie);
        tree.file("home/Downloads/movie.mov/everything.txt", 10);
    };
    CleaningResult result = engine.cleanWithAdminPrivileges({itemAt(movie, 10, Category::largeFiles)});
    EXPECT_TRUE(exists(movie + "/everything.txt"));
    EXPECT_EQ(output, kMarker);
    EXPECT_EQ(result.deletedCount, 0);
    EXPECT_EQ(result.errors.size(), 1u);
}

TEST_F(PrivilegedPassTest, TheAdministratorSideTrustsNoList) {
    // Whatever reaches its input, it admits only what the calling user's own rules admit.
    const std::string secret = tree.textFile("outside/secret", "secret");
    const std::string thesis = tree.file("home/Documents/Thesis/chapter1.txt", 10);
    const std::string pictures = tree.file("home/Pictures/photo.jpg", 10);
    const std::string link = tree.symlink("home/Library/Caches/to-outside", tree.path("outside"));
    const std::string dockerTool = tree.file("home/Library/Containers/com.docker.docker/docker", 10);
    const std::string fine = tree.file("home/Library/Caches/com.example/data", 10);
    const std::vector<PrivilegedRemovalRecord> records{
        {Category::userCache, real(secret)},
        {Category::userCache, real(pictures)},
        {Category::userCache, home + "/Library/Caches"},     // a root itself
        {Category::userCache, home + "/Library/Containers"}, // likewise
        {Category::systemJunk, "/"},
        {Category::systemJunk, shared},                     // the fixture's /tmp itself
        {Category::largeFiles, home + "/Documents/Thesis"}, // not a regular file
        {Category::userCache, link + "/secret"},            // not its final form
        {Category::userCache, home + "/Library/Caches/../../../outside/secret"},
        {Category::userCache, home + "/Library/Caches/com.example/./data"},
        {Category::userCache, "Library/Caches/com.example/data"},
        {Category::dockerCache, dockerTool}, // the tool, not a cache folder
        {Category::userCache, real(fine)},
    };
    EXPECT_EQ(administratorSide(encodePrivilegedRemovalRecords(records)), 0);
    EXPECT_EQ(output, kMarker + real(fine) + '\0');
    for (const std::string& kept : {secret, thesis, pictures, dockerTool, home + "/Library/Caches"})
        EXPECT_TRUE(exists(kept)) << kept;
    EXPECT_FALSE(exists(fine));
    const auto messages = log.messages();
    ASSERT_EQ(messages.size(), records.size() - 1);
    for (std::size_t index = 0; index + 1 < records.size(); ++index)
        EXPECT_EQ(messages[index], refusalLine(records[index].path));
}

TEST_F(PrivilegedPassTest, TheAdministratorSideRunsOnlyForARealUserWithAWellFormedList) {
    const std::string file = tree.file("home/Library/Caches/com.example/data", 10);
    const std::string list = encodePrivilegedRemovalRecords({{Category::userCache, real(file)}});
    auto refused = [&](const std::string& reason) {
        return Line{"Administrator removal refused to run: " + reason, LogLevel::error, kSource};
    };
    struct Case {
        std::optional<std::string> callingUser;
        std::string input;
        std::vector<std::string> arguments;
        std::string reason;
    };
    const std::vector<Case> cases{
        {std::nullopt, list, kArguments, "no calling user other than root (PKEXEC_UID)"},
        {"0", list, kArguments, "no calling user other than root (PKEXEC_UID)"},
        {"", list, kArguments, "no calling user other than root (PKEXEC_UID)"},
        {"-4242", list, kArguments, "no calling user other than root (PKEXEC_UID)"},
        {"4242x", list, kArguments, "no calling user other than root (PKEXEC_UID)"},
        {"99999999999999999999", list, kArguments, "no calling user other than root (PKEXEC_UID)"},
        {"4243", list, kArguments, "no home folder for user 4243"},
        {"4242", list, {"/usr/bin/zelvanexal", "--privileged-remove", "extra"}, "unexpected arguments"},
        {"4242", list.substr(0, list.size() - 1), kArguments, "the list of items is malformed"},
        {"4242", "No Such Category" + std::string(1, '\0') + real(file) + '\0', kArguments,
         "the list of items is malformed"},
    };
    for (const Case& attempt : cases) {
        test::LogCapture attemptLog;
        context.callingUserId = attempt.callingUser;
        EXPECT_EQ(administratorSide(attempt.input, attempt.arguments), 1) << attempt.reason;
        EXPECT_EQ(output, kMarker);
        EXPECT_EQ(attemptLog.lines(), std::vector<Line>{refused(attempt.reason)});
        EXPECT_TRUE(exists(file));
    }
    context.callingUserId = "4242";
    EXPECT_EQ(administratorSide(""), 0); // an empty list is a list
    EXPECT_EQ(output, kMarker);
}

TEST_F(PrivilegedPassTest, NothingInASharedTemporaryFolderGoesThroughTheAdministratorPass) {
    // The user's own entries, rested by the engine's clock: the ordinary pass may take them, and what it
    // may not is someone else's, which no password should reach.
    const std::string file = tree.file("system/tmp/own-file", 10);
    tree.file("system/tmp/own-folder/x", 10);
    const std::string folder = shared + "/own-folder";
    const Date tomorrow = std::chrono::system_clock::now() + std::chrono::hours(25);
    auto operations = std::make_shared<test::ScriptedFileOperations>();
    operations->removeFailures["own-file"] = EACCES;
    CleaningEngineOptions options;
    options.now = [=] { return tomorrow; };
    options.adminRunner = runner;
    options.fileOperations = operations;
    options.systemFolders = systemFolders;
    CleaningEngine rested(home, options);
    const std::vector<CleanableItem> items{itemAt(file, 10, Category::systemJunk),
                                           itemAt(folder, 10, Category::systemJunk)};

    CleaningResult ordinary = rested.cleanItems({items[0]}, nullptr);
    EXPECT_TRUE(ordinary.deferredToAdmin.empty());
    EXPECT_EQ(ordinary.errors, std::vector<std::string>{"own-file at " + file + ": Permission denied"});

    test::LogCapture passLog;
    CleaningResult admin = rested.cleanWithAdminPrivileges(items);
    EXPECT_TRUE(runner->privilegedInputs.empty());
    EXPECT_EQ(admin.deletedCount, 0);
    const std::vector<std::string> refused{"Admin pass starting with 2 item(s)", refusalLine(file),
                                           refusalLine(folder), "Admin pass: no items survived validation"};
    EXPECT_EQ(passLog.messages(), refused);

    // The administrator side refuses them whatever the list says.
    EXPECT_EQ(administratorSide(encodePrivilegedRemovalRecords(
                  {{Category::systemJunk, file}, {Category::systemJunk, folder}})),
              0);
    EXPECT_EQ(output, kMarker);
    EXPECT_TRUE(exists(file));
    EXPECT_TRUE(exists(folder + "/x"));
}

TEST_F(PrivilegedPassTest, AnEntryOfAnotherUserMetAsTheSharedFolderIsRemovedStopsTheRemoval) {
    // Judged the user's own and rested when admitted; as the removal meets it, another user's entry is in
    // the folder (here reported so by the status call), which no owner filter but this one stops.
    const std::string folder = shared + "/own-folder";
    tree.file("system/tmp/own-folder/x", 10);
    tree.file("system/tmp/own-folder/arrived", 10);
    const Date tomorrow = std::chrono::system_clock::now() + std::chrono::hours(25);
    auto operations = std::make_shared<test::ScriptedFileOperations>();
    operations->foreignOwners["arrived"] = test::kOtherUser;
    CleaningEngineOptions options;
    options.now = [=] { return tomorrow; };
    options.fileOperations = operations;
    options.systemFolders = systemFolders;
    const CleaningResult result =
        CleaningEngine(home, options).cleanItems({itemAt(folder, 10, Category::systemJunk)}, nullptr);
    EXPECT_TRUE(result.deletedPaths.empty());
    EXPECT_TRUE(result.deferredToAdmin.empty());
    EXPECT_TRUE(exists(folder + "/arrived"));
}

TEST_F(PrivilegedPassTest, AnotherUsersFolderInTheCallersSharedFolderStaysOnEverySide) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    // The caller's own "/tmp/share" (1777), where another user put a folder of theirs with a file in it.
    const std::string share = shared + "/share";
    const std::string callers = tree.file("system/tmp/share/callers-file", 10);
    const std::string theirs = tree.file("system/tmp/share/theirs/data", 10);
    ASSERT_EQ(::chmod(share.c_str(), 01777), 0);
    for (const std::string& path : {share, callers})
        ASSERT_EQ(::lchown(path.c_str(), kCallingUser, kCallingUser), 0);
    for (const std::string& path : {share + "/theirs", theirs})
        ASSERT_EQ(::lchown(path.c_str(), test::kOtherUser, test::kOtherUser), 0);
    const Date inThreeDays = std::chrono::system_clock::now() + std::chrono::hours(72);
    CleaningEngine engineForCaller = makeEngine(kCallingUser, [=] { return inThreeDays; });

    CleaningResult ordinary = engineForCaller.cleanItems({itemAt(share, 20, Category::systemJunk)}, nullptr);
    EXPECT_EQ(ordinary.deletedCount, 0);
    EXPECT_TRUE(ordinary.deferredToAdmin.empty());
    engineForCaller.cleanWithAdminPrivileges({itemAt(share, 20, Category::systemJunk)});
    EXPECT_TRUE(runner->privilegedInputs.empty());
    EXPECT_EQ(administratorSide(encodePrivilegedRemovalRecords({{Category::systemJunk, share}})), 0);
    EXPECT_EQ(output, kMarker);
    EXPECT_TRUE(exists(theirs));
    EXPECT_TRUE(exists(callers)); // nothing of the folder goes, not even the caller's own part
}

TEST_F(PrivilegedPassTest, ASharedTemporaryEntryThatChangedSinceTheScanStays) {
    // The scan offered these a day ago; since then a program took them up again, one with its old dates.
    const std::string fresh = tree.file("system/tmp/fresh-file", 10);
    tree.file("system/tmp/busy/data", 10);
    tree.file("system/tmp/busy/.lock", 0);
    const std::string busy = shared + "/busy";
    const std::string unpacked = tree.file("system/tmp/unpacked/tree/file", 10);
    ageByAMonth({"system/tmp/busy/data", "system/tmp/busy", "system/tmp/unpacked/tree/file",
                 "system/tmp/unpacked/tree", "system/tmp/unpacked"});
    const std::vector<CleanableItem> items{itemAt(fresh, 10, Category::systemJunk),
                                           itemAt(busy, 10, Category::systemJunk),
                                           itemAt(shared + "/unpacked", 10, Category::systemJunk)};

    CleaningResult ordinary = engine.cleanItems(items, nullptr);
    EXPECT_TRUE(ordinary.deletedPaths.empty());
    EXPECT_EQ(ordinary.errors.size(), 3u);
    EXPECT_TRUE(exists(fresh));
    EXPECT_TRUE(exists(busy + "/.lock"));
    EXPECT_TRUE(exists(unpacked));

    // A day later by the engine's clock they have rested.
    const Date tomorrow = std::chrono::system_clock::now() + std::chrono::hours(25);
    CleaningResult later = makeEngine(::getuid(), [=] { return tomorrow; }).cleanItems(items, nullptr);
    EXPECT_EQ(later.deletedPaths, (std::set<std::string>{fresh, busy, shared + "/unpacked"}));
}

TEST_F(PrivilegedPassTest, PathsThatCannotBeResolvedAreRefusedOnEverySide) {
    // Forty links lead out of the caches; one more link at their end would leave the rest as mere text.
    tree.folder("outside");
    tree.symlink("outside/lib64", "/usr/lib64");
    for (int index = 1; index <= 40; ++index)
        tree.symlink("home/Library/Caches/c" + std::to_string(index),
                     index == 40 ? tree.path("outside") : "c" + std::to_string(index + 1));
    const std::string item = home + "/Library/Caches/c1/lib64";

    CleaningResult ordinary = engine.cleanItems({itemAt(item)}, nullptr);
    EXPECT_EQ(ordinary.deletedCount, 0);
    CleaningResult admin = engine.cleanWithAdminPrivileges({itemAt(item)});
    EXPECT_TRUE(runner->privilegedInputs.empty());
    EXPECT_EQ(admin.deletedCount, 0);
    EXPECT_EQ(administratorSide(encodePrivilegedRemovalRecords({{Category::userCache, item}})), 0);
    EXPECT_EQ(output, kMarker);
    EXPECT_TRUE(exists(tree.path("outside/lib64")));

    // A folder the user cannot look into hides where its links lead: the engine, run by that user, asks
    // for no password for it.
    tree.folder("outside/etc");
    tree.symlink("home/Library/Caches/locked/lib", tree.path("outside"));
    const std::string hidden = home + "/Library/Caches/locked/lib/etc";
    test::ScopedMode closed(home + "/Library/Caches/locked", 0);
    const int status = test::exitStatusWithoutPrivileges([&] {
        auto ownRunner = std::make_shared<test::RecordingAdminRunner>();
        ownRunner->runnerForm = AdminRunner::Form::privilegedProgram;
        CleaningEngineOptions options;
        options.adminRunner = ownRunner;
        options.systemFolders = systemFolders;
        CleaningEngine asUser(home, options);
        asUser.cleanWithAdminPrivileges({itemAt(hidden)});
        return static_cast<int>(ownRunner->privilegedInputs.size());
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(exists(tree.path("outside/etc")));
}

TEST_F(PrivilegedPassTest, OnlyWhatTheAdministratorSideReportsCountsAsRemoved) {
    // Gone when looked at afterwards, yet never reported: its folder may have been exchanged meanwhile.
    const std::string gone = tree.file("home/Library/Caches/gone", 10);
    runner->onPrivilegedRun = [&](const std::string&) {
        fs::remove(gone);
        return AdminRunOutcome{Status::succeeded, {}, {}};
    };
    const CleaningResult result = engine.cleanWithAdminPrivileges({itemAt(gone)});
    EXPECT_TRUE(result.deletedPaths.empty());
    EXPECT_EQ(result.errors, std::vector<std::string>{"gone at " + gone + " survived admin removal"});
}

TEST_F(PrivilegedPassTest, ACancelTriesNothingAndAFailureStillCountsWhatItReportedRemoved) {
    const std::string a = tree.file("home/Library/Caches/a", 10);
    runner->onPrivilegedRun = [](const std::string&) {
        return AdminRunOutcome{Status::cancelled, "User canceled. (-128)"};
    };
    CleaningResult cancelled = engine.cleanWithAdminPrivileges({itemAt(a)});
    EXPECT_TRUE(cancelled.errors.empty());
    EXPECT_EQ(cancelled.deletedCount, 0);
    EXPECT_EQ(log.messages(), std::vector<std::string>{"Admin pass starting with 1 item(s)"});

    const std::string b = tree.file("home/Library/Caches/b", 10);
    runner->onPrivilegedRun = [&](const std::string&) {
        fs::remove(a); // removed and reported before the program failed
        return AdminRunOutcome{Status::failed, "The administrator removal exited with status 126", a + '\0'};
    };
    CleaningResult failed = engine.cleanWithAdminPrivileges({itemAt(a, 5), itemAt(b, 5)});
    EXPECT_EQ(failed.deletedPaths, std::set<std::string>{a});
    EXPECT_EQ(failed.errors, (std::vector<std::string>{"Administrator authorization failed",
                                                       "b at " + b + " survived admin removal"}));
}

} // namespace
} // namespace zn
