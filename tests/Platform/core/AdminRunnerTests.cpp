#include "Platform/core/AdminRunner.h"
#include "support/FixtureTree.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace zn {
namespace {

using Status = AdminRunOutcome::Status;

std::string contentsOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Each fake tool writes its arguments, one per line, to args.txt and then behaves as told.
std::string recordingTool(test::FixtureTree& tree, const std::string& name, const std::string& behaviour) {
    return tree.executable("bin/" + name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > " +
                                              tree.path("args.txt") + "\n" + behaviour + "\n");
}

const AdminCommand kCommand{
    "do shell script \"/usr/bin/xargs -0 /bin/rm -rf -- < '/t/it''s'\" with administrator "
    "privileges",
    "/usr/bin/xargs -0 /bin/rm -rf -- < '/t/it'\\''s'"};

TEST(SystemAdminRunner, UsesOsascriptWhenItExists) {
    test::FixtureTree tree;
    AdminRunnerTools tools{recordingTool(tree, "osascript", "exit 0"), tree.path("bin/no-pkexec"), "/bin/sh"};
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

TEST(SystemAdminRunner, FallsBackToPkexecWithTheSameShellCommand) {
    test::FixtureTree tree;
    AdminRunnerTools tools{tree.path("bin/no-osascript"), recordingTool(tree, "pkexec", "exit 0"), "/bin/sh"};
    EXPECT_EQ(SystemAdminRunner(tools).run(kCommand).status, Status::succeeded);
    EXPECT_EQ(contentsOf(tree.path("args.txt")), "/bin/sh\n-c\n" + kCommand.shellCommand + "\n");

    const std::pair<int, Status> exits[] = {
        {126, Status::cancelled}, {127, Status::failed}, {123, Status::failed}};
    for (auto [code, status] : exits) {
        recordingTool(tree, "pkexec", "exit " + std::to_string(code));
        AdminRunOutcome outcome = SystemAdminRunner(tools).run(kCommand);
        EXPECT_EQ(outcome.status, status) << code;
        EXPECT_EQ(outcome.errorText.find("-128") != std::string::npos, code == 126) << outcome.errorText;
    }
}

TEST(SystemAdminRunner, NoRunnerIsAFailure) {
    test::FixtureTree tree;
    AdminRunnerTools tools{tree.path("bin/osascript"), tree.path("bin/pkexec"), "/bin/sh"};
    AdminRunOutcome outcome = SystemAdminRunner(tools).run(kCommand);
    EXPECT_EQ(outcome.status, Status::failed);
    EXPECT_EQ(outcome.errorText,
              "No administrator runner: neither " + tools.osascript + " nor " + tools.pkexec + " exists");
}

} // namespace
} // namespace zn
