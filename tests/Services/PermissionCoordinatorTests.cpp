#include "Services/PermissionCoordinator.h"
#include "appsupport/EventLoop.h"
#include "appsupport/RecordingUrlOpener.h"
#include "support/FixtureTree.h"

#include <QElapsedTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::spinEventLoop;
using test::waitUntil;
using Context = PermissionCoordinator::PromptContext;

// A coordinator whose access is switched by creating or removing one protected folder of a fixture home.
struct Prompt {
    test::FixtureTree tree;
    std::shared_ptr<test::RecordingUrlOpener> opener = std::make_shared<test::RecordingUrlOpener>();
    FullDiskAccessOptions options = [this] {
        FullDiskAccessOptions guarded;
        guarded.protection = PrivacyProtection::perApplication;
        guarded.locations.probePaths = {tree.path("Library/Mail")};
        guarded.locations.registrationPaths = {tree.path("Library/Mail")};
        return guarded;
    }();
    std::unique_ptr<PermissionCoordinator> coordinator;
    int retries = 0;

    explicit Prompt(bool granted = false) {
        if (granted)
            grant();
        coordinator =
            std::make_unique<PermissionCoordinator>(std::make_shared<FullDiskAccessManager>(options), opener);
    }
    void grant() { tree.folder("Library/Mail"); }
    void revoke() { std::filesystem::remove_all(tree.path("Library/Mail")); }
    void request(Context context = Context::cleanup(2)) {
        coordinator->requestAccess(std::move(context), {"/a", "/b"}, [this] { ++retries; });
    }
};

TEST(PermissionCoordinator, HeadlinesFillTheirCounts) {
    EXPECT_EQ(Context::cleanup(1).headline(), "Allow access to remove 1 item(s)");
    EXPECT_EQ(Context::uninstall("Notes Pro", 3).headline(),
              "Allow access to finish removing files for Notes Pro (3)");
    EXPECT_EQ(Context::uninstall("Odd %lld", 2).headline(),
              "Allow access to finish removing files for Odd %lld (2)");
    EXPECT_EQ(Context::general().headline(), "Allow Zelva Nexal to clean more");
}

TEST(PermissionCoordinator, AlreadyGrantedRunsTheCallbackBeforeReturning) {
    Prompt prompt(true);
    EXPECT_TRUE(prompt.coordinator->hasFullDiskAccess());
    prompt.request();
    EXPECT_EQ(prompt.retries, 1);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    // The given context and paths stay, as nothing was prompted.
    EXPECT_EQ(prompt.coordinator->context(), Context::cleanup(2));
    EXPECT_EQ(prompt.coordinator->failedItemPaths(), (std::vector<std::string>{"/a", "/b"}));
    spinEventLoop(1200);
    EXPECT_EQ(prompt.retries, 1);
}

TEST(PermissionCoordinator, GrantEndsThePromptOneSecondLaterAndRetriesOnce) {
    Prompt prompt;
    prompt.request(Context::uninstall("Notes Pro", 2));
    EXPECT_TRUE(prompt.coordinator->isRequesting());
    EXPECT_FALSE(prompt.coordinator->hasFullDiskAccess());
    spinEventLoop(300);
    EXPECT_EQ(prompt.retries, 0);

    prompt.grant();
    ASSERT_TRUE(waitUntil([&] { return prompt.coordinator->hasFullDiskAccess(); }, 2000));
    QElapsedTimer sinceGrant;
    sinceGrant.start();
    EXPECT_TRUE(prompt.coordinator->isRequesting());
    EXPECT_EQ(prompt.retries, 0);
    ASSERT_TRUE(waitUntil([&] { return !prompt.coordinator->isRequesting(); }, 3000));
    EXPECT_GE(sinceGrant.elapsed(), 900);
    EXPECT_EQ(prompt.retries, 1);
    EXPECT_EQ(prompt.coordinator->context(), Context::general());
    EXPECT_TRUE(prompt.coordinator->failedItemPaths().empty());
    spinEventLoop(1500);
    EXPECT_EQ(prompt.retries, 1);
}

TEST(PermissionCoordinator, DismissWithRetryInsideTheSecondRunsTheCallbackOnce) {
    Prompt prompt;
    prompt.request();
    prompt.grant();
    ASSERT_TRUE(waitUntil([&] { return prompt.coordinator->hasFullDiskAccess(); }, 2000));
    prompt.coordinator->dismiss(true);
    EXPECT_EQ(prompt.retries, 1);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    prompt.coordinator->dismiss(true);
    spinEventLoop(1500);
    EXPECT_EQ(prompt.retries, 1);
}

TEST(PermissionCoordinator, DismissWithoutRetryInsideTheSecondRunsNothing) {
    Prompt prompt;
    prompt.request();
    prompt.grant();
    ASSERT_TRUE(waitUntil([&] { return prompt.coordinator->hasFullDiskAccess(); }, 2000));
    prompt.coordinator->dismiss(false);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    spinEventLoop(1500);
    EXPECT_EQ(prompt.retries, 0);
}

TEST(PermissionCoordinator, DismissWithRetryWithoutAccessRunsTheCallbackOnce) {
    Prompt prompt;
    prompt.request();
    prompt.coordinator->dismiss(true);
    EXPECT_EQ(prompt.retries, 1);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    EXPECT_EQ(prompt.coordinator->context(), Context::general());
    prompt.coordinator->dismiss(true);
    EXPECT_EQ(prompt.retries, 1);
}

TEST(PermissionCoordinator, ANewRequestReplacesTheWaitingCallback) {
    Prompt prompt;
    prompt.request();
    int second = 0;
    prompt.coordinator->requestAccess(Context::general(), {}, [&] { ++second; });
    prompt.grant();
    ASSERT_TRUE(waitUntil([&] { return second == 1; }, 4000));
    EXPECT_EQ(prompt.retries, 0);
}

TEST(PermissionCoordinator, ARequestThatFindsAccessClosesAPromptLeftOpen) {
    Prompt prompt;
    prompt.request();
    prompt.grant();
    int second = 0;
    prompt.coordinator->requestAccess(Context::general(), {}, [&] { ++second; });
    EXPECT_EQ(second, 1);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    spinEventLoop(1500);
    EXPECT_EQ(prompt.retries, 0);
    EXPECT_FALSE(prompt.coordinator->isRequesting());
}

TEST(PermissionCoordinator, RefreshStatusFollowsTheProbe) {
    Prompt prompt(true);
    prompt.revoke();
    prompt.coordinator->refreshStatus();
    ASSERT_TRUE(waitUntil([&] { return !prompt.coordinator->hasFullDiskAccess(); }));
    prompt.grant();
    prompt.coordinator->refreshStatus();
    ASSERT_TRUE(waitUntil([&] { return prompt.coordinator->hasFullDiskAccess(); }));
    EXPECT_FALSE(prompt.coordinator->isRequesting());
    EXPECT_EQ(prompt.retries, 0);
}

TEST(PermissionCoordinator, ResetAndReprimeOpensTheSettingsPaneAfterTheReset) {
    Prompt prompt;
    prompt.options.privacyTool =
        prompt.tree.executable("bin/tccutil", "#!/bin/sh\ntouch '" + prompt.tree.path("reset") + "'\n");
    PermissionCoordinator coordinator(std::make_shared<FullDiskAccessManager>(prompt.options), prompt.opener);
    coordinator.resetAndReprime();
    EXPECT_TRUE(prompt.opener->urls().empty());
    ASSERT_TRUE(waitUntil([&] { return !prompt.opener->urls().empty(); }, 5000));
    EXPECT_TRUE(std::filesystem::exists(prompt.tree.path("reset")));
    EXPECT_EQ(prompt.opener->urls()[0].toString(),
              "x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles");

    coordinator.openSettings();
    EXPECT_EQ(prompt.opener->urls().size(), 2u);
}

} // namespace
} // namespace zn
