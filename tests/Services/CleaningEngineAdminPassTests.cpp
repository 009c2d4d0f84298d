#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"
#include "Platform/core/Process.h"
#include "Services/CleaningEngine+Staging.h"
#include "Services/CleaningEngine.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

namespace zn {
namespace {

using test::exists;
using test::itemAt;
using Line = test::LogCapture::Line;
using Status = AdminRunOutcome::Status;

const std::string kSource = "cleanWithAdminPrivileges(items:)";

// What the fake runner saw of the staging file while the command "ran".
struct Staged {
    std::string path;
    std::string bytes;
    mode_t mode = 0;
};

class AdminPassTest : public ::testing::Test {
protected:
    AdminPassTest() {
        // The shell itself unquotes the staging path, so these tests also prove the quoting.
        runner->onRun = [this](const AdminCommand& command) {
            const std::string form = "/usr/bin/xargs -0 /bin/rm -rf -- < ";
            if (command.shellCommand.starts_with(form)) {
                const std::string quotedPath = command.shellCommand.substr(form.size());
                staged.path = runProcess({"/bin/sh", {"-c", "printf %s " + quotedPath}}).standardOutput;
                staged.bytes = runProcess({"/bin/sh", {"-c", "/bin/cat < " + quotedPath}}).standardOutput;
                struct stat info;
                if (::stat(staged.path.c_str(), &info) == 0)
                    staged.mode = info.st_mode & 07777;
            }
            for (const auto& path : removedByCommand)
                std::filesystem::remove_all(path);
            return outcome;
        };
    }

    CleaningEngine makeEngine(std::optional<std::string> temporaryDirectory) {
        CleaningEngineOptions options;
        options.adminRunner = runner;
        options.temporaryDirectory = std::move(temporaryDirectory);
        options.systemFolders = test::fixtureCleaningFolders(tree);
        return CleaningEngine(home, options);
    }

    test::FixtureTree tree;
    std::string home = tree.folder("home");
    std::string temporary = resolvingSymlinksInPath(tree.folder("private-tmp"));
    std::shared_ptr<test::RecordingAdminRunner> runner = std::make_shared<test::RecordingAdminRunner>();
    CleaningEngine engine = makeEngine(temporary);
    test::LogCapture log;

    // How the fake command behaves.
    std::vector<std::string> removedByCommand;
    AdminRunOutcome outcome{Status::succeeded, {}};
    Staged staged;
};

TEST_F(AdminPassTest, StagesTheResolvedPathsAndRunsTheExactScript) {
    const std::string a = tree.file("home/Library/Caches/A", 10);
    const std::string b = tree.file("home/Library/Logs/it's a \"log\"\nwith a newline", 10);
    const std::string link = tree.symlink("home/Library/Caches/link-to-a", a);
    removedByCommand = {a, b};

    CleaningResult result = engine.cleanWithAdminPrivileges({itemAt(link, 7), itemAt(b, 5)});

    ASSERT_EQ(runner->commands.size(), 1u);
    EXPECT_EQ(PathText::deletingLastPathComponent(staged.path), temporary);
    EXPECT_TRUE(
        std::regex_match(PathText::lastPathComponent(staged.path),
                         std::regex("zelvanexal-rm-[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-"
                                    "[0-9A-F]{12}")))
        << staged.path;
    EXPECT_EQ(staged.bytes, a + std::string(1, '\0') + b); // resolved, unchanged, no NUL after the last
    EXPECT_EQ(staged.mode, 0600u);
    EXPECT_EQ(runner->commands[0].appleScript, "do shell script \"/usr/bin/xargs -0 /bin/rm -rf -- < '" +
                                                   staged.path + "'\" with administrator privileges");
    EXPECT_FALSE(exists(staged.path));

    EXPECT_EQ(result.deletedCount, 2);
    EXPECT_EQ(result.freedSpace, 12);
    EXPECT_EQ(result.deletedPaths, (std::set<std::string>{link, b}));
    EXPECT_TRUE(result.errors.empty());
    EXPECT_TRUE(result.deferredToAdmin.empty());
    const std::vector<Line> expected{{"Admin pass starting with 2 item(s)", LogLevel::info, kSource},
                                     {"Admin pass complete: 2 deleted, 0 survived", LogLevel::info, kSource}};
    EXPECT_EQ(log.lines(), expected);
}

TEST(AdminStaging, TheStagingFolderMustSitSafelyInsideTheScriptText) {
    // The path goes between single quotes inside an AppleScript string: a quote or a backslash there would
    // end the word or the string early.
    EXPECT_TRUE(isUsableTemporaryDirectory("/Users/u/tmp dir/T"));
    for (const std::string bad :
         {"", "relative/tmp", "/x/it's tmp", "/x/\"q\"", "/x/back\\slash", "/x/new\nline", "/x/del\x7f"})
        EXPECT_FALSE(isUsableTemporaryDirectory(bad)) << bad;
    EXPECT_EQ(chooseTemporaryDirectory("/x/it's tmp"), "/tmp");
    EXPECT_EQ(chooseTemporaryDirectory("/x/tmp"), "/x/tmp");

    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved ? saved : "";
    ::setenv("TMPDIR", "/x/it's", 1);
    EXPECT_EQ(chooseTemporaryDirectory(std::nullopt), "/tmp");
    ::setenv("TMPDIR", "/x/fine", 1);
    EXPECT_EQ(chooseTemporaryDirectory(std::nullopt), "/x/fine");
    if (saved)
        ::setenv("TMPDIR", previous.c_str(), 1);
    else
        ::unsetenv("TMPDIR");

    EXPECT_EQ(
        adminRemovalCommand("/x/tmp/zelvanexal-rm-1").appleScript,
        "do shell script \"/usr/bin/xargs -0 /bin/rm -rf -- < '/x/tmp/zelvanexal-rm-1'\" with administrator "
        "privileges");
}

TEST_F(AdminPassTest, CancelReturnsNothingAndLeavesNoStagingFile) {
    outcome = {Status::cancelled, "User canceled. (-128)"};
    removedByCommand = {};
    CleaningResult result = engine.cleanWithAdminPrivileges({itemAt(tree.file("home/Library/Caches/a", 1))});
    EXPECT_EQ(result.deletedCount, 0);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_TRUE(result.deletedPaths.empty());
    EXPECT_FALSE(exists(staged.path));
    EXPECT_EQ(log.messages(), std::vector<std::string>{"Admin pass starting with 1 item(s)"});
}

TEST_F(AdminPassTest, ASurvivorIsReported) {
    const std::string gone = tree.file("home/Library/Caches/gone.db", 10);
    const std::string stays = tree.file("home/Library/Caches/stays.db", 10);
    removedByCommand = {gone};
    CleaningResult result = engine.cleanWithAdminPrivileges({itemAt(gone, 40), itemAt(stays, 60)});
    EXPECT_EQ(result.deletedCount, 1);
    EXPECT_EQ(result.freedSpace, 40);
    EXPECT_EQ(result.deletedPaths, std::set<std::string>{gone});
    const std::string survivor = "stays.db at " + stays + " survived admin removal";
    EXPECT_EQ(result.errors, std::vector<std::string>{survivor});
    const std::vector<Line> expected{{"Admin pass starting with 2 item(s)", LogLevel::info, kSource},
                                     {"Admin pass survivor: " + survivor, LogLevel::error, kSource},
                                     {"Admin pass complete: 1 deleted, 1 survived", LogLevel::info, kSource}};
    EXPECT_EQ(log.lines(), expected);
}

TEST_F(AdminPassTest, AFailedCommandStillCountsWhatItRemoved) {
    const std::string gone = tree.file("home/Library/Caches/gone.db", 10);
    const std::string stays = tree.file("home/Library/Caches/stays.db", 10);
    removedByCommand = {gone};
    outcome = {Status::failed, "The administrator command exited with status 123"};
    CleaningResult result = engine.cleanWithAdminPrivileges({itemAt(gone, 40), itemAt(stays, 60)});
    EXPECT_EQ(result.deletedPaths, std::set<std::string>{gone});
    EXPECT_EQ(result.errors, (std::vector<std::string>{"Administrator authorization failed",
                                                       "stays.db at " + stays + " survived admin removal"}));
    EXPECT_EQ(log.lines()[1], (Line{"Admin clean failed: The administrator command exited with status 123",
                                    LogLevel::error, kSource}));
    EXPECT_EQ(log.messages().back(), "Admin pass complete: 1 deleted, 1 survived");

    // When everything went all the same, nothing is reported as failed.
    const std::string other = tree.file("home/Library/Caches/other.db", 10);
    removedByCommand = {other};
    result = engine.cleanWithAdminPrivileges({itemAt(other, 5)});
    EXPECT_EQ(result.deletedCount, 1);
    EXPECT_TRUE(result.errors.empty());
}

TEST_F(AdminPassTest, EmptyListNeverAsks) {
    CleaningResult result = engine.cleanWithAdminPrivileges({});
    EXPECT_TRUE(runner->commands.empty());
    EXPECT_EQ(result.deletedCount, 0);
    const std::vector<Line> expected{
        {"Admin pass starting with 0 item(s)", LogLevel::info, kSource},
        {"Admin pass: no items survived validation", LogLevel::warning, kSource}};
    EXPECT_EQ(log.lines(), expected);
}

TEST_F(AdminPassTest, UnsafeItemsAreDroppedOneByOne) {
    const std::string picture = tree.file("home/Pictures/photo.jpg", 10);
    const std::string folder = tree.folder("home/Documents/Thesis");
    const std::string missing = home + "/Library/Caches/already-gone";
    const std::vector<CleanableItem> refused{
        itemAt(picture),
        itemAt(home + "/Library/Caches"),                // an allowed root itself
        itemAt(home + "/Library/Containers"),            // likewise
        itemAt(tree.path("system/tmp")),                 // the fixture's /tmp: likewise, as text only
        itemAt(folder, 1, CleaningCategory::largeFiles), // not a regular file
        itemAt("~/Library/Caches/x"),
        itemAt("Library/Caches/x"),
    };
    std::vector<CleanableItem> items = refused;
    items.push_back(itemAt(missing, 70));
    // Never created: the fake command removes nothing, and the survivor check finds nothing there.
    items.push_back(itemAt("/Applications/ZelvaNexalTestTool.app", 30, CleaningCategory::systemJunk));

    CleaningResult result = engine.cleanWithAdminPrivileges(items);
    EXPECT_EQ(staged.bytes, missing + std::string(1, '\0') + "/Applications/ZelvaNexalTestTool.app");
    EXPECT_EQ(result.deletedCount, 2);
    EXPECT_EQ(result.freedSpace, 100);
    EXPECT_TRUE(result.errors.empty());
    std::vector<std::string> expected{"Admin pass starting with 9 item(s)"};
    for (const auto& item : refused)
        expected.push_back("Refusing admin escalation for unsafe path: " + item.path);
    expected.push_back("Admin pass complete: 2 deleted, 0 survived");
    EXPECT_EQ(log.messages(), expected);
    EXPECT_TRUE(exists(picture));
    EXPECT_TRUE(exists(folder));
}

TEST_F(AdminPassTest, ALinkBehindAMissingFolderIsNotTakenAsText) {
    // Resolution stops at "gone" and keeps the rest as text, so ".." lands on the unresolved link; a root
    // shell would follow it into Documents.
    tree.file("home/Documents/Thesis/chapter1.txt", 10);
    tree.symlink("home/Library/Caches/to-documents", home + "/Documents");
    const std::string sneaky = home + "/Library/Caches/gone/../to-documents/Thesis";
    CleaningResult result = engine.cleanWithAdminPrivileges({itemAt(sneaky)});
    EXPECT_TRUE(runner->commands.empty());
    EXPECT_EQ(result.deletedCount, 0);
    EXPECT_EQ(log.messages()[1], "Refusing admin escalation for unsafe path: " + sneaky);
}

TEST_F(AdminPassTest, OnePlaceIsStagedAndCountedOnce) {
    const std::string file = tree.file("home/Library/Caches/shared.db", 10);
    const std::string link = tree.symlink("home/Library/Caches/alias", file);
    removedByCommand = {file};
    CleaningResult result = engine.cleanWithAdminPrivileges({itemAt(file, 10), itemAt(link, 10)});
    EXPECT_EQ(staged.bytes, resolvingSymlinksInPath(file));
    EXPECT_EQ(result.deletedCount, 1);
    EXPECT_EQ(result.freedSpace, 10);
    EXPECT_EQ(result.deletedPaths, (std::set<std::string>{file, link}));
}

TEST_F(AdminPassTest, StagingFailureEndsThePassBeforeAnyDialog) {
    const CleanableItem item = itemAt(tree.file("home/Library/Caches/a", 1));
    CleaningResult result = makeEngine(tree.path("no-such-folder")).cleanWithAdminPrivileges({item});
    EXPECT_TRUE(runner->commands.empty());
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(log.lines().back(),
              (Line{"Couldn't stage admin path list: No such file or directory", LogLevel::error, kSource}));

    // A folder where others could swap the list for their own before it is read with administrator rights.
    const std::string shared = tree.folder("shared-tmp");
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    makeEngine(shared).cleanWithAdminPrivileges({item});
    EXPECT_TRUE(runner->commands.empty());
    EXPECT_EQ(log.messages().back(),
              "Couldn't stage admin path list: The temporary folder " + shared + " is open to other users");

    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0); // sticky, like /tmp
    makeEngine(shared).cleanWithAdminPrivileges({item});
    EXPECT_EQ(runner->commands.size(), 1u);
}

} // namespace
} // namespace zn
