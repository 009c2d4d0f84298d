#include "Platform/core/Process.h"
#include "support/FixtureTree.h"
#include "support/Patience.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(Process, ReadsStandardOutputAndExitStatus) {
    test::FixtureTree tree;
    auto ok = tree.executable("bin/ok", "#!/bin/sh\nprintf 'hello %s\\n' \"$1\"\npwd\n");
    auto fails = tree.executable("bin/fails", "#!/bin/sh\necho partial\nexit 1\n");

    ProcessResult result = runProcess({ok, {"world"}});
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(result.standardOutput, "hello world\n/\n"); // runs in "/"

    result = runProcess({fails, {}});
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_FALSE(result.succeeded());
}

TEST(Process, StartFailures) {
    ProcessResult missing = runProcess({"/zn/no/such/tool", {}});
    EXPECT_FALSE(missing.started);
    EXPECT_EQ(missing.startErrno, ENOENT);
    // A bare name is never searched for in PATH.
    ProcessResult bare = runProcess({"sh", {"-c", "true"}});
    EXPECT_FALSE(bare.started);
}

TEST(Process, StandardErrorFloodCannotBlockTheChild) {
    test::FixtureTree tree;
    auto noisy = tree.executable("bin/noisy", "#!/bin/sh\nhead -c 1048576 /dev/zero >&2\necho done\n");
    ProcessRequest request{noisy, {}};
    request.timeLimit = test::kPatience;
    ProcessResult result = runProcess(request);
    EXPECT_TRUE(result.succeeded());
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.standardOutput, "done\n");
}

TEST(Process, TimeLimitKillsTheChild) {
    test::FixtureTree tree;
    auto slow = tree.executable("bin/slow", "#!/bin/sh\necho started\nsleep 30\n");
    ProcessRequest request{slow, {}};
    request.timeLimit = std::chrono::milliseconds(300);
    ProcessResult result = runProcess(request);
    EXPECT_TRUE(result.timedOut);
    EXPECT_FALSE(result.succeeded());
    EXPECT_EQ(result.standardOutput, "started\n");
}

TEST(Process, EnvironmentPrefixesAreRemovedCaseSensitively) {
    test::FixtureTree tree;
    auto env = tree.executable("bin/env", "#!/bin/sh\necho \"[$ZN_TEST_X][$zn_test_x]\"\n");
    ::setenv("ZN_TEST_X", "upper", 1);
    ::setenv("zn_test_x", "lower", 1);
    ProcessRequest request{env, {}};
    request.removedVariablePrefixes = {"ZN_TEST_"};
    EXPECT_EQ(runProcess(request).standardOutput, "[][lower]\n");
    ::unsetenv("ZN_TEST_X");
    ::unsetenv("zn_test_x");
}

TEST(Process, StandardInputIsFedWhileTheOutputIsRead) {
    // Far more than a pipe holds in either direction: writing all first, or reading all first, would hang.
    std::string input(4 * 1024 * 1024, '\0');
    for (std::size_t index = 0; index < input.size(); ++index)
        input[index] = static_cast<char>(index * 131 % 251);
    ProcessRequest request{"/bin/cat", {}};
    request.standardInput = input;
    request.timeLimit = test::kPatience;
    ProcessResult result = runProcess(request);
    EXPECT_TRUE(result.succeeded());
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.standardOutput, input);

    // Without it the child reads nothing at all.
    EXPECT_EQ(runProcess({"/bin/cat", {}}).standardOutput, "");
}

TEST(Process, AChildThatStopsReadingOnlyEndsTheWriting) {
    test::FixtureTree tree;
    auto early = tree.executable("bin/early", "#!/bin/sh\nhead -c 3\nexit 4\n");
    ProcessRequest request{early, {}};
    request.standardInput = std::string(4 * 1024 * 1024, 'x');
    request.timeLimit = test::kPatience;
    ProcessResult result = runProcess(request); // this process must not die of SIGPIPE
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 4);
    EXPECT_EQ(result.standardOutput, "xxx");
}

} // namespace
} // namespace zn
