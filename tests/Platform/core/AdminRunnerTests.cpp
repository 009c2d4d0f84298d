#include "Platform/core/AdminRunner.h"
#include "support/FixtureTree.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace zn {
namespace {

using namespace std::string_literals;
using Status = AdminRunOutcome::Status;
using Form = AdminRunner::Form;

std::string contentsOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// Each fake tool writes its arguments, one per line, to args.txt and then behaves as told.
std::string recordingTool(test::FixtureTree& tree, const std::string& name, const std::string& behaviour) {
    return tree.executable("bin/" + name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                                              tree.path("args.txt") + "'\n" + behaviour + "\n");
}

const AdminCommand kCommand{
    "do shell script \"/usr/bin/xargs -0 /bin/rm -rf -- < '/t/list'\" with administrator "
    "privileges",
    "/usr/bin/xargs -0 /bin/rm -rf -- < '/t/list'"};

const std::string kMarker(kPrivilegedRemovalStartMarker);

TEST(SystemAdminRunner, UsesOsascriptWhenItExists) {
    test::FixtureTree tree;
    AdminRunnerTools tools{recordingTool(tree, "osascript", "exit 0"), tree.path("bin/no-pkexec"), "/bin/sh",
                           tree.path("bin/program")};
    EXPECT_EQ(SystemAdminRunner(tools).form(), Form::appleScript);
    AdminRunOutcome outcome = SystemAdminRunner(tools).run(kCommand);
    EXPECT_EQ(outcome.status, Status::succeeded);
    EXPECT_EQ(contentsOf(tree.path("args.txt")), "-e\n" + kCommand.appleScript + "\n");

    tree.executable("bin/osascript",
                    "#!/bin/sh\necho '0:80: execution error: User canceled. (-128)' >&2\nexit 1\n");
    outcome = SystemAdminRunner(tools).run(kCommand);
    EXPECT_EQ(outcome.status, Status::cancelled);
    EXPECT_EQ(outcome.errorText, "0:80: execution error: User canceled. (-128)");

    tree.executable("bin/osascript", "#!/bin/sh\necho '0:80: execution error: rm: busy (1)' >&2\nexit 1\n");
    outcome = SystemAdminRunner(tools).run(kCommand);
    EXPECT_EQ(outcome.status, Status::failed);
    EXPECT_EQ(outcome.errorText, "0:80: execution error: rm: busy (1)");
}

TEST(SystemAdminRunner, WithoutOsascriptItStartsThisProgramThroughPkexecWithTheListOnItsInput) {
    test::FixtureTree tree;
    const std::string program = tree.executable("bin/program", "#!/bin/sh\nexit 0\n");
    // The fake pkexec keeps what it was given and answers as our program would.
    const std::string pkexec = recordingTool(tree, "pkexec",
                                             "cat > '" + tree.path("input.bin") + "'\nprintf '" +
                                                 kMarker.substr(0, kMarker.size() - 1) + "\\n'\nexit 0");
    AdminRunnerTools tools{tree.path("bin/no-osascript"), pkexec, "/bin/sh", program};
    SystemAdminRunner runner(tools);
    EXPECT_EQ(runner.form(), Form::privilegedProgram);

    const std::string input = "User Cache\0/a b/it's\0Large Files\0/c\nd\0"s;
    EXPECT_EQ(runner.runPrivilegedRemoval(input).status, Status::succeeded);
    EXPECT_EQ(contentsOf(tree.path("args.txt")), program + "\n--privileged-remove\n");
    EXPECT_EQ(contentsOf(tree.path("input.bin")), input);

    // No shell command ever runs as administrator here: the AppleScript form needs osascript.
    std::remove(tree.path("args.txt").c_str());
    AdminRunOutcome outcome = runner.run(kCommand);
    EXPECT_EQ(outcome.status, Status::failed);
    EXPECT_EQ(outcome.errorText, "No administrator runner: " + tools.osascript + " does not exist");
    EXPECT_FALSE(exists(tree.path("args.txt")));
}

TEST(SystemAdminRunner, ACancelIsPkexecsDismissalBeforeOurProgramStarted) {
    test::FixtureTree tree;
    const std::string markerLine = "printf '" + kMarker.substr(0, kMarker.size() - 1) + "\\n'";
    struct Case {
        std::string behaviour;
        Status status;
        std::string text;
    };
    const std::vector<Case> cases{
        {"exit 126", Status::cancelled, "User canceled. (-128)"},
        {"exit 127", Status::failed, "Not authorized (pkexec exit status 127)"},
        {"exit 0", Status::failed, "pkexec exited with status 0"}, // our program never said it started
        {"exit 1", Status::failed, "pkexec exited with status 1"},
        {"kill -9 $$", Status::failed, "pkexec was stopped by a signal"},
        // Our program started: its statuses are its own, 126 included, and never a cancel.
        {markerLine + "\nexit 126", Status::failed, "The administrator removal exited with status 126"},
        {markerLine + "\nexit 1", Status::failed, "The administrator removal exited with status 1"},
    };
    const std::string program = tree.executable("bin/program", "#!/bin/sh\nexit 0\n");
    for (const Case& expected : cases) {
        AdminRunnerTools tools{tree.path("bin/no-osascript"),
                               recordingTool(tree, "pkexec", expected.behaviour), "/bin/sh", program};
        AdminRunOutcome outcome = SystemAdminRunner(tools).runPrivilegedRemoval("input");
        EXPECT_EQ(outcome.status, expected.status) << expected.behaviour;
        EXPECT_EQ(outcome.errorText, expected.text) << expected.behaviour;
    }
}

TEST(SystemAdminRunner, NoRunnerIsAFailure) {
    test::FixtureTree tree;
    AdminRunnerTools tools{tree.path("bin/osascript"), tree.path("bin/pkexec"), "/bin/sh",
                           tree.executable("bin/program", "#!/bin/sh\n")};
    AdminRunOutcome outcome = SystemAdminRunner(tools).runPrivilegedRemoval("");
    EXPECT_EQ(outcome.status, Status::failed);
    EXPECT_EQ(outcome.errorText,
              "No administrator runner: neither " + tools.osascript + " nor " + tools.pkexec + " exists");

    tools.pkexec = recordingTool(tree, "pkexec", "exit 0");
    tools.program = tree.path("bin/gone");
    outcome = SystemAdminRunner(tools).runPrivilegedRemoval("");
    EXPECT_EQ(outcome.errorText, "Cannot find this program to run it as administrator");
    EXPECT_FALSE(exists(tree.path("args.txt")));
}

TEST(SystemAdminRunner, ThisProgramIsFoundByDefault) {
    const std::string self = currentProgramPath();
    ASSERT_FALSE(self.empty());
    EXPECT_EQ(self.front(), '/');
    EXPECT_TRUE(self.ends_with("/zn_core_tests")) << self;
}

} // namespace
} // namespace zn
