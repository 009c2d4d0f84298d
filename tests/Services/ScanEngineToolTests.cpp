#include "Services/ScanEngine.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"
#include "support/Patience.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using test::FixtureTree;

constexpr const char* kSource = "runCommandReadingStdout(executable:args:)";

TEST(ScanEngineTools, OutputOnlyFromASuccessfulRun) {
    FixtureTree tree;
    auto echo = tree.executable("tools/echo", "#!/bin/sh\nprintf '%s|' \"$@\"\necho\n");
    auto failing = tree.executable("tools/failing", "#!/bin/sh\necho /Users/zoe/.npm\nexit 1\n");
    auto silent = tree.executable("tools/silent", "#!/bin/sh\nexit 0\n");
    auto binary = tree.executable("tools/binary", "#!/bin/sh\nprintf '\\377\\376\\n'\n");
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    EXPECT_EQ(engine.runCommandReadingStdout(echo, {"config", "get", "a b"}), "config|get|a b|\n");
    EXPECT_EQ(engine.runCommandReadingStdout(failing, {}), std::nullopt);
    EXPECT_EQ(engine.runCommandReadingStdout(silent, {}), "");
    EXPECT_EQ(engine.runCommandReadingStdout(binary, {}), std::nullopt);
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEngineTools, ToolThatCannotStartIsLogged) {
    FixtureTree tree;
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    const std::string missing = tree.path("tools/npm");
    EXPECT_EQ(engine.runCommandReadingStdout(missing, {"config", "get", "cache"}), std::nullopt);
    auto entries = log.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].message, missing + " config get cache failed: No such file or directory");
    EXPECT_EQ(entries[0].level, LogLevel::warning);
    EXPECT_EQ(entries[0].source, kSource);
}

TEST(ScanEngineTools, StandardErrorFloodDoesNotBlockTheTool) {
    FixtureTree tree;
    auto noisy = tree.executable("tools/noisy", "#!/bin/sh\nhead -c 1048576 /dev/zero >&2\necho done\n");
    auto options = test::fixtureEngineOptions(tree);
    options.toolTimeLimit = test::kPatience; // a blocked child would run into it and give none
    ScanEngine engine(tree.path("home"), options);

    EXPECT_EQ(engine.runCommandReadingStdout(noisy, {}), "done\n");
}

TEST(ScanEngineTools, ToolPastTheTimeLimitIsStoppedAndLoggedOnce) {
    FixtureTree tree;
    auto slow = tree.executable("tools/slow", "#!/bin/sh\necho partial\nsleep 30\n");
    auto options = test::fixtureEngineOptions(tree);
    options.toolTimeLimit = std::chrono::seconds(1);
    ScanEngine engine(tree.path("home"), options);
    test::LogCapture log;

    EXPECT_EQ(engine.runCommandReadingStdout(slow, {"--cache"}), std::nullopt);
    auto entries = log.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].message, slow + " --cache failed: still running after 1 s; stopped");
    EXPECT_EQ(entries[0].level, LogLevel::warning);
    EXPECT_EQ(entries[0].source, kSource);
}

} // namespace
} // namespace zn
