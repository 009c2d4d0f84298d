#include "Services/PermissionCoordinator.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/SwitchableAccess.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zn {
namespace {

using namespace std::chrono_literals;
using Context = PermissionPromptContext;

// A coordinator in virtual time whose access is switched by creating or removing one protected folder of
// a fixture home.
struct Prompt : test::SwitchableAccess {
    int retries = 0;

    explicit Prompt(bool granted = false) {
        if (granted) {
            grant();
            coordinator = makeCoordinator();
        }
    }
    void request(const Context& context = Context::cleanup(2)) {
        coordinator->requestAccess(context, {"/a", "/b"}, [this] { ++retries; });
        test::processQueuedWork();
    }
    // A grant that the first poll, a second after the request, sees.
    void grantSeenByThePoll() {
        request();
        grant();
        clock->advance(1000ms);
        ASSERT_TRUE(coordinator->hasFullDiskAccess());
        ASSERT_TRUE(coordinator->isRequesting());
    }
};

TEST(PermissionCoordinator, HeadlinesFillTheirCounts) {
    EXPECT_EQ(headline(Context::cleanup(1)), "Allow access to remove 1 item(s)");
    EXPECT_EQ(headline(Context::uninstall("Notes Pro", 3)),
              "Allow access to finish removing files for Notes Pro (3)");
    EXPECT_EQ(headline(Context::uninstall("Odd %lld", 2)),
              "Allow access to finish removing files for Odd %lld (2)");
    EXPECT_EQ(headline(Context::general()), "Allow Zelva Nexal to clean more");
}

TEST(PermissionCoordinator, AlreadyGrantedRunsTheCallbackBeforeReturning) {
    Prompt prompt(true);
    EXPECT_TRUE(prompt.coordinator->hasFullDiskAccess());
    prompt.coordinator->requestAccess(Context::cleanup(2), {"/a", "/b"}, [&] { ++prompt.retries; });
    EXPECT_EQ(prompt.retries, 1);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    // The given context and paths stay, as nothing was prompted.
    EXPECT_EQ(prompt.coordinator->context(), Context::cleanup(2));
    EXPECT_EQ(prompt.coordinator->failedItemPaths(), (std::vector<std::string>{"/a", "/b"}));
    EXPECT_EQ(prompt.clock->pendingCalls(), 0u);
    prompt.clock->advance(5s);
    EXPECT_EQ(prompt.retries, 1);
}

TEST(PermissionCoordinator, GrantEndsThePromptOneSecondLaterAndRetriesOnce) {
    Prompt prompt;
    prompt.request(Context::uninstall("Notes Pro", 2));
    EXPECT_TRUE(prompt.coordinator->isRequesting());
    EXPECT_FALSE(prompt.coordinator->hasFullDiskAccess());
    EXPECT_EQ(prompt.coordinator->context(), Context::uninstall("Notes Pro", 2));
    prompt.clock->advance(2300ms); // two polls without access
    EXPECT_EQ(prompt.retries, 0);

    prompt.grant();
    prompt.clock->advance(700ms); // the third poll sees it
    EXPECT_TRUE(prompt.coordinator->hasFullDiskAccess());
    EXPECT_TRUE(prompt.coordinator->isRequesting());
    prompt.clock->advance(999ms);
    EXPECT_EQ(prompt.retries, 0);
    EXPECT_TRUE(prompt.coordinator->isRequesting());
    prompt.clock->advance(1ms);
    EXPECT_EQ(prompt.retries, 1);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    EXPECT_EQ(prompt.coordinator->context(), Context::general());
    EXPECT_TRUE(prompt.coordinator->failedItemPaths().empty());
    prompt.clock->advance(10s);
    EXPECT_EQ(prompt.retries, 1);
    EXPECT_EQ(prompt.clock->pendingCalls(), 0u);
}

TEST(PermissionCoordinator, AGrantBeforeTheFirstPollIsSeenAtOnce) {
    Prompt prompt;
    prompt.coordinator->requestAccess(Context::general(), {}, [&] { ++prompt.retries; });
    prompt.grant();
    test::processQueuedWork();
    EXPECT_TRUE(prompt.coordinator->hasFullDiskAccess());
    prompt.clock->advance(1000ms);
    EXPECT_EQ(prompt.retries, 1);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
}

TEST(PermissionCoordinator, DismissWithRetryInsideTheSecondRunsTheCallbackOnce) {
    Prompt prompt;
    prompt.grantSeenByThePoll();
    prompt.clock->advance(500ms);
    prompt.coordinator->dismiss(true);
    EXPECT_EQ(prompt.retries, 1);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    prompt.coordinator->dismiss(true);
    prompt.clock->advance(5s);
    EXPECT_EQ(prompt.retries, 1);
}

TEST(PermissionCoordinator, DismissWithoutRetryInsideTheSecondRunsNothing) {
    Prompt prompt;
    prompt.grantSeenByThePoll();
    prompt.coordinator->dismiss(false);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    prompt.clock->advance(5s);
    EXPECT_EQ(prompt.retries, 0);
}

TEST(PermissionCoordinator, DismissWithRetryWithoutAccessRunsTheCallbackOnce) {
    Prompt prompt;
    prompt.request();
    prompt.coordinator->dismiss(true);
    EXPECT_EQ(prompt.retries, 1);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    EXPECT_EQ(prompt.coordinator->context(), Context::general());
    EXPECT_EQ(prompt.clock->pendingCalls(), 0u);
    prompt.coordinator->dismiss(true);
    prompt.grant();
    prompt.clock->advance(5s);
    EXPECT_EQ(prompt.retries, 1);
}

TEST(PermissionCoordinator, ANewRequestReplacesTheWaitingCallback) {
    Prompt prompt;
    prompt.request();
    int second = 0;
    prompt.coordinator->requestAccess(Context::general(), {}, [&] { ++second; });
    prompt.grant();
    prompt.clock->advance(2s);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(prompt.retries, 0);
}

TEST(PermissionCoordinator, ARequestThatFindsAccessClosesAPromptLeftOpen) {
    Prompt prompt;
    prompt.grantSeenByThePoll();
    int second = 0;
    prompt.coordinator->requestAccess(Context::general(), {}, [&] { ++second; });
    EXPECT_EQ(second, 1);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    prompt.clock->advance(5s);
    EXPECT_EQ(prompt.retries, 0);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
}

TEST(PermissionCoordinator, RefreshStatusHandlesAGrantAndFollowsALoss) {
    Prompt prompt;
    prompt.request();
    prompt.grant();
    prompt.coordinator->refreshStatus();
    // The grant seen by the refresh ends the prompt as a polled one would.
    ASSERT_TRUE(test::waitUntil([&] { return prompt.coordinator->hasFullDiskAccess(); }));
    prompt.clock->advance(1000ms);
    EXPECT_EQ(prompt.retries, 1);

    prompt.revoke();
    prompt.coordinator->refreshStatus();
    ASSERT_TRUE(test::waitUntil([&] { return !prompt.coordinator->hasFullDiskAccess(); }));
    EXPECT_FALSE(prompt.coordinator->isRequesting());
}

TEST(PermissionCoordinator, ResetAndReprimeOpensTheSettingsPaneAfterTheReset) {
    Prompt prompt;
    prompt.options.privacyTool =
        prompt.tree.executable("bin/tccutil", "#!/bin/sh\ntouch '" + prompt.tree.path("reset") + "'\n");
    auto coordinator = prompt.makeCoordinator();
    coordinator->resetAndReprime();
    ASSERT_TRUE(test::waitUntil([&] { return prompt.clock->pendingCalls() == 1; }));
    EXPECT_TRUE(std::filesystem::exists(prompt.tree.path("reset")));
    prompt.clock->advance(799ms);
    EXPECT_TRUE(prompt.opener->urls().empty());
    prompt.clock->advance(1ms);
    ASSERT_EQ(prompt.opener->urls().size(), 1u);
    EXPECT_EQ(prompt.opener->urls()[0].toString(),
              "x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles");

    coordinator->openSettings();
    EXPECT_EQ(prompt.opener->urls().size(), 2u);
}

} // namespace
} // namespace zn
