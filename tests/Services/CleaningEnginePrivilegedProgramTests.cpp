#include "Platform/core/PathResolution.h"
#include "Platform/core/Process.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Services/CleaningEngine.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"

#include <filesystem>
#include <gtest/gtest.h>

// The real program as the administrator side, started through a fake pkexec that, like the real one,
// clears the environment, sets PKEXEC_UID to the user who asked and runs its arguments. No test can be
// that user's home here, so the program only ever refuses; what it removes is tested in-process.
namespace zn {
namespace {

namespace fs = std::filesystem;
using test::exists;
using test::itemAt;

const std::string kMarker(kPrivilegedRemovalStartMarker);

class PrivilegedProgramTest : public ::testing::Test {
protected:
    std::string fakePkexec(const std::string& callingUser) {
        return tree.executable("bin/pkexec-" + callingUser,
                               "#!/bin/sh\nexec /usr/bin/env -i PKEXEC_UID=" + callingUser + " \"$@\"\n");
    }

    CleaningEngine engineThrough(const std::string& pkexec) {
        AdminRunnerTools tools{tree.path("bin/no-osascript"), pkexec, "/bin/sh", ZN_EXECUTABLE};
        CleaningEngineOptions options;
        options.adminRunner = std::make_shared<SystemAdminRunner>(tools);
        options.temporaryDirectory = temporary;
        options.systemFolders = test::fixtureCleaningFolders(tree);
        return CleaningEngine(home, options);
    }

    test::FixtureTree tree;
    std::string home = *resolvedPathIfResolvable(tree.folder("home"));
    std::string temporary = *resolvedPathIfResolvable(tree.folder("tmp"));
    test::LogCapture log;
};

TEST_F(PrivilegedProgramTest, TheProgramChecksEveryPathAgainWithTheCallingUsersOwnRules) {
    // The engine admits the item for this home; the program judges by the home of user 65534
    // ("/nonexistent"), so the item is not that user's to clean.
    const std::string cache = tree.file("home/Library/Caches/com.example/data", 10);
    CleaningResult result = engineThrough(fakePkexec("65534")).cleanWithAdminPrivileges({itemAt(cache, 10)});
    EXPECT_TRUE(exists(cache));
    EXPECT_EQ(result.deletedCount, 0);
    EXPECT_EQ(result.errors, std::vector<std::string>{"data at " + cache + " survived admin removal"});
    const auto messages = log.messages();
    EXPECT_EQ(std::count_if(messages.begin(), messages.end(),
                            [](const std::string& line) { return line.starts_with("Admin clean failed: "); }),
              0);
    EXPECT_TRUE(fs::is_empty(temporary)); // nothing staged

    // The same program run directly: it says it started, reads the list and removes nothing.
    ProcessRequest request{"/usr/bin/env", {"-i", "PKEXEC_UID=65534", ZN_EXECUTABLE, "--privileged-remove"}};
    request.standardInput = encodePrivilegedRemovalRecords({{CleaningCategory::userCache, cache}});
    ProcessResult run = runProcess(request);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.standardOutput, kMarker);
    EXPECT_TRUE(exists(cache));
}

TEST_F(PrivilegedProgramTest, TheProgramRefusesRootAsTheCallerAndStrayArguments) {
    const std::string cache = tree.file("home/Library/Caches/com.example/data", 10);
    CleaningResult result = engineThrough(fakePkexec("0")).cleanWithAdminPrivileges({itemAt(cache, 10)});
    EXPECT_TRUE(exists(cache));
    EXPECT_EQ(result.errors, (std::vector<std::string>{"Administrator authorization failed",
                                                       "data at " + cache + " survived admin removal"}));
    const auto messages = log.messages();
    EXPECT_NE(std::find(messages.begin(), messages.end(),
                        "Admin clean failed: The administrator removal exited with status 1"),
              messages.end());

    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-i", ZN_EXECUTABLE, "--privileged-remove"},
          std::vector<std::string>{"-i", "PKEXEC_UID=65534", ZN_EXECUTABLE, "--privileged-remove", "scan"}}) {
        ProcessRequest request{"/usr/bin/env", arguments};
        request.standardInput = encodePrivilegedRemovalRecords({{CleaningCategory::userCache, cache}});
        ProcessResult run = runProcess(request);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.standardOutput, kMarker); // never the command line, never a window
    }
    EXPECT_TRUE(exists(cache));
}

TEST_F(PrivilegedProgramTest, TheProgramJudgesLeftoversByTheCallingUsersOwnHome) {
    // A leftover of this fixture home is not inside the caches of user 65534: it stays.
    const std::string leftover = tree.file("home/Library/Caches/com.vanished.tool/data", 10);
    ProcessRequest request{"/usr/bin/env", {"-i", "PKEXEC_UID=65534", ZN_EXECUTABLE, "--privileged-remove"}};
    request.standardInput =
        encodePrivilegedRemovalRecords({{std::nullopt, *resolvedPathIfResolvable(tree.path("home/Library/Caches/com.vanished.tool"))}});
    ProcessResult run = runProcess(request);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.standardOutput, kMarker);
    EXPECT_TRUE(exists(leftover));
}

} // namespace
} // namespace zn
