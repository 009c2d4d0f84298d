#include "Platform/core/PathResolution.h"
#include "Platform/core/Process.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <gtest/gtest.h>
#include <sstream>

// What reaches the administrator side comes from the caller: its length is bounded, and nothing of it
// can write a line of its own into root's log.
namespace zn {
namespace {

using test::exists;

const std::string kMarker(kPrivilegedRemovalStartMarker);

class PrivilegedInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.callingUserId = "4242";
        context.people = test::kPeople;
        context.homeOfUser = [this](uid_t) { return std::optional<std::string>(home); };
        context.systemFolders = test::fixtureCleaningFolders(tree);
        context.refusalOutput = &errors;
    }

    int administratorSide(const std::string& input) {
        std::istringstream in(input);
        std::ostringstream out;
        const int status = runPrivilegedRemoval({"zelvanexal", "--privileged-remove"}, in, out, context);
        output = out.str();
        return status;
    }

    // A list of `size` bytes: the record of `path`, then one of a cache path long enough to fill the rest.
    std::string listOfSize(const std::string& path, std::size_t size) {
        std::string list = encodePrivilegedRemovalRecords({{CleaningCategory::userCache, path}});
        const std::string filler = encodePrivilegedRemovalRecords({{CleaningCategory::userCache, home + "/"}});
        list += filler.substr(0, filler.size() - 1) + std::string(size - list.size() - filler.size(), 'x') + '\0';
        return list;
    }

    test::FixtureTree tree;
    std::string home = *resolvedPathIfResolvable(tree.folder("home"));
    PrivilegedRemovalContext context;
    std::ostringstream errors;
    std::string output;
};

TEST_F(PrivilegedInputTest, AListPastTheLimitIsRefusedWholeAndSaysSo) {
    const std::string cache = *resolvedPathIfResolvable(tree.file("home/Library/Caches/com.example/data", 10));
    context.inputLimit = 1000;
    test::LogCapture log;
    EXPECT_EQ(administratorSide(listOfSize(cache, 1001)), 1);
    EXPECT_EQ(output, kMarker);
    EXPECT_TRUE(exists(cache));
    const std::string refusal = "Administrator removal refused to run: the list of items is longer than 1000 bytes";
    EXPECT_EQ(errors.str(), refusal + "\n");
    EXPECT_EQ(log.messages(), std::vector<std::string>{refusal});

    // A list of the limit's length is read.
    EXPECT_EQ(administratorSide(listOfSize(cache, 1000)), 0);
    EXPECT_EQ(output, kMarker + cache + '\0');
    EXPECT_FALSE(exists(cache));
}

TEST_F(PrivilegedInputTest, TheProgramRefusesAListPastItsLimitOnItsErrorStream) {
    const std::string cache = *resolvedPathIfResolvable(tree.file("home/Library/Caches/com.example/data", 10));
    // The error stream joins the output, which the process runner reads.
    ProcessRequest request{"/bin/sh",
                           {"-c", "exec /usr/bin/env -i PKEXEC_UID=65534 \"$0\" --privileged-remove 2>&1",
                            ZN_EXECUTABLE}};
    request.standardInput = listOfSize(cache, kPrivilegedRemovalInputLimit + 1);
    ProcessResult run = runProcess(request);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.standardOutput, kMarker + "Administrator removal refused to run: the list of items is longer "
                                            "than 67108864 bytes\n");
    EXPECT_TRUE(exists(cache));
}

TEST_F(PrivilegedInputTest, ARefusedPathIsLoggedOnOneLine) {
    const std::string forged = home + "/Pictures/x\nRefusing admin escalation for unsafe path: /etc\x1b[2K";
    test::LogCapture log;
    EXPECT_EQ(administratorSide(encodePrivilegedRemovalRecords({{CleaningCategory::userCache, forged}})), 0);
    EXPECT_EQ(output, kMarker);
    EXPECT_EQ(log.messages(),
              std::vector<std::string>{"Refusing admin escalation for unsafe path: " + home +
                                       "/Pictures/x\\nRefusing admin escalation for unsafe path: /etc\\x1B[2K"});
}

} // namespace
} // namespace zn
