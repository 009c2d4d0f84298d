#include "Platform/qt/Workspace.h"
#include "support/FixtureTree.h"

#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace zn {
namespace {

constexpr uid_t kUser = 1000;

TEST(Workspace, KnowsTheBrowsersByTheirExecutables) {
    EXPECT_EQ(bundleIdentifierForExecutable("/opt/google/chrome/chrome"), "com.google.Chrome");
    EXPECT_EQ(bundleIdentifierForExecutable("/opt/microsoft/msedge/msedge"), "com.microsoft.edgemac");
    EXPECT_EQ(bundleIdentifierForExecutable("/usr/lib/firefox-esr/firefox-esr"), "org.mozilla.firefox");
    EXPECT_EQ(bundleIdentifierForExecutable("/snap/firefox/4090/usr/lib/firefox/firefox"),
              "org.mozilla.firefox");
    EXPECT_EQ(bundleIdentifierForExecutable("/usr/lib/x86_64-linux-gnu/opera/opera"),
              "com.operasoftware.Opera");
    EXPECT_EQ(bundleIdentifierForExecutable("/opt/brave.com/brave/brave"), "com.brave.Browser");
    // Whole components only, and other programs are nobody.
    EXPECT_EQ(bundleIdentifierForExecutable("/usr/bin/notfirefox"), std::nullopt);
    EXPECT_EQ(bundleIdentifierForExecutable("/opt/google/chrome/chrome_crashpad_handler"), std::nullopt);
    EXPECT_EQ(bundleIdentifierForExecutable("/usr/lib/chromium/chromium"), std::nullopt);
}

TEST(Workspace, CountsTopLevelApplicationsOfTheUserOnly) {
    std::vector<ProcessEntry> table{
        {10, 1, kUser, "/opt/google/chrome/chrome"},
        {11, 10, kUser, "/opt/google/chrome/chrome"}, // zygote
        {12, 11, kUser, "/opt/google/chrome/chrome"}, // renderer
        {13, 10, kUser, "/opt/google/chrome/chrome_crashpad_handler"},
        {20, 1, kUser, "/usr/lib/firefox/firefox"},
        {21, 20, kUser, "/usr/lib/firefox/firefox"}, // content process
        {30, 1, 0, "/usr/lib/firefox/firefox"},      // someone else's
        {40, 10, kUser, "/usr/lib/firefox/firefox"}, // started from Chrome: an application of its own
        {50, 1, kUser, "/usr/bin/bash"},
    };
    Workspace workspace([&] { return table; }, [](pid_t, int) { return 0; }, kUser);
    EXPECT_EQ(workspace.runningApplications(),
              (std::vector<RunningApplication>{{10, "com.google.Chrome", "/opt/google/chrome/chrome"},
                                               {20, "org.mozilla.firefox", "/usr/lib/firefox/firefox"},
                                               {40, "org.mozilla.firefox", "/usr/lib/firefox/firefox"}}));
}

TEST(Workspace, TerminateSignalsOnlyTheSameProcess) {
    std::vector<ProcessEntry> table{{10, 1, kUser, "/opt/google/chrome/chrome"}};
    std::vector<std::pair<pid_t, int>> sent;
    Workspace workspace([&] { return table; },
                        [&](pid_t pid, int signal) {
                            sent.emplace_back(pid, signal);
                            return 0;
                        },
                        kUser);
    auto chrome = workspace.runningApplications().at(0);
    EXPECT_TRUE(workspace.terminate(chrome));
    EXPECT_EQ(sent, (std::vector<std::pair<pid_t, int>>{{10, SIGTERM}}));

    // The browser quit meanwhile and its id now runs something else, or nothing.
    table = {{10, 1, kUser, "/usr/bin/vim"}};
    EXPECT_FALSE(workspace.terminate(chrome));
    table.clear();
    EXPECT_FALSE(workspace.terminate(chrome));
    EXPECT_FALSE(workspace.terminate({0, "com.google.Chrome", "/opt/google/chrome/chrome"}));
    EXPECT_EQ(sent.size(), 1u);
}

TEST(RunningProcesses, ReadsAProcfsTree) {
    test::FixtureTree tree;
    tree.textFile("proc/100/stat", "100 (chrome) S 1 100 100 0 -1 4194560 1 0 0 0\n");
    tree.symlink("proc/100/exe", "/opt/google/chrome/chrome");
    tree.textFile("proc/101/stat", "101 (Web Content (x)) S 100 100 100 0 -1\n"); // parentheses in the name
    tree.symlink("proc/101/exe", "/usr/lib/firefox/firefox (deleted)");           // replaced by an update
    tree.textFile("proc/7/stat", "7 (kworker/0:1) I 2 0 0 0 -1\n");               // kernel thread: no exe
    tree.textFile("proc/self/stat", "1 (init) S 0\n");
    tree.folder("proc/12x");

    auto table = readProcessTable(tree.path("proc"));
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0], (ProcessEntry{100, 1, ::geteuid(), "/opt/google/chrome/chrome"}));
    EXPECT_EQ(table[1], (ProcessEntry{101, 100, ::geteuid(), "/usr/lib/firefox/firefox"}));
    EXPECT_TRUE(readProcessTable(tree.path("missing")).empty());
}

TEST(RunningProcesses, FindsThisTestInTheRealTable) {
    char own[4096];
    ssize_t length = ::readlink("/proc/self/exe", own, sizeof own);
    ASSERT_GT(length, 0);
    bool found = false;
    for (const auto& process : readProcessTable())
        if (process.pid == ::getpid())
            found = process.executablePath == std::string(own, static_cast<std::size_t>(length)) &&
                    process.parentPid == ::getppid() && process.owner == ::geteuid();
    EXPECT_TRUE(found);
}

} // namespace
} // namespace zn
