#include "App/SingleInstance.h"
#include "Platform/core/Process.h"
#include "appsupport/AppStateHarness.h"
#include "support/FixtureTree.h"
#include "support/Patience.h"

#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <optional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace zn {
namespace {

using Claim = SingleInstance::Claim;

class SingleInstanceTest : public ::testing::Test {
protected:
    // A later start, on its own thread, while this one runs the event loop and answers.
    Claim laterStart(std::chrono::milliseconds limit = test::kPatience) {
        auto claim = std::async(std::launch::async, [&] { return SingleInstance(runtime, limit).claim(); });
        EXPECT_TRUE(test::waitUntil(
            [&] { return claim.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
        return claim.get();
    }
    // This process as the copy that runs, counting the requests to show its window.
    Claim startRunningCopy() {
        running.emplace(runtime);
        QObject::connect(&*running, &SingleInstance::activationRequested, [this] { ++shown; });
        return running->claim();
    }

    test::FixtureTree tree;
    // Stands in for $XDG_RUNTIME_DIR: the user's own, closed to others.
    std::string runtime = tree.folder("r");
    bool closed = ::chmod(runtime.c_str(), 0700) == 0;
    std::optional<SingleInstance> running;
    int shown = 0;
};

TEST_F(SingleInstanceTest, ALaterStartHandsOverToTheRunningCopy) {
    ASSERT_TRUE(closed);
    ASSERT_EQ(startRunningCopy(), Claim::first);

    EXPECT_EQ(laterStart(), Claim::handedOver);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(laterStart(), Claim::handedOver);
    EXPECT_EQ(shown, 2);
}

TEST_F(SingleInstanceTest, WhatACrashedRunLeftBehindBlocksNoStart) {
    ASSERT_TRUE(closed);
    // A socket nobody listens on any more, and the lock file, as a killed copy leaves them.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = runtime + "/zelvanexal.socket";
    ASSERT_LT(socketPath.size(), sizeof(address.sun_path));
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(stale);
    tree.textFile("r/zelvanexal.lock", "");

    EXPECT_EQ(startRunningCopy(), Claim::first);
    EXPECT_EQ(laterStart(), Claim::handedOver);
    EXPECT_EQ(shown, 1);
}

TEST_F(SingleInstanceTest, ACopyThatHoldsTheLockButNeverAnswersIsNotTakenForGone) {
    ASSERT_TRUE(closed);
    const int lock = ::open((runtime + "/zelvanexal.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    EXPECT_EQ(laterStart(std::chrono::milliseconds(200)), Claim::runningCopyMute);
    ::close(lock);
    SingleInstance next(runtime);
    EXPECT_EQ(next.claim(), Claim::first);
}

TEST_F(SingleInstanceTest, WithoutAPrivateRuntimeFolderEveryStartRunsOnItsOwn) {
    ASSERT_EQ(::chmod(runtime.c_str(), 0755), 0);
    SingleInstance open(runtime);
    EXPECT_EQ(open.claim(), Claim::first);
    SingleInstance missing(tree.path("no-such-folder"));
    EXPECT_EQ(missing.claim(), Claim::first);
    EXPECT_EQ(SingleInstance(runtime).claim(), Claim::first);
    EXPECT_FALSE(std::filesystem::exists(runtime + "/zelvanexal.lock"));
}

TEST_F(SingleInstanceTest, TheProgramStartedAgainShowsTheRunningWindowAndEnds) {
    ASSERT_TRUE(closed);
    ASSERT_EQ(startRunningCopy(), Claim::first);

    auto run = std::async(std::launch::async, [&] {
        return runProcess({"/usr/bin/env",
                           {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR=" + runtime,
                            "QT_QPA_PLATFORM=offscreen", "HOME=" + tree.folder("home"),
                            "XDG_CONFIG_HOME=" + tree.folder("config"), ZN_EXECUTABLE, "scna"}});
    });
    ASSERT_TRUE(
        test::waitUntil([&] { return run.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    const ProcessResult result = run.get();
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(shown, 1);
}

} // namespace
} // namespace zn
