#include "ViewModels/BrowserQuitQuestion.h"
#include "appsupport/AppStateHarness.h"

#include <csignal>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using namespace std::chrono_literals;
using test::makeItem;
using test::makeResult;
using test::waitUntil;

constexpr const char* kChrome = "/opt/google/chrome/chrome";
constexpr const char* kFirefox = "/usr/lib/firefox-esr/firefox-esr";

class AppStateBrowserQuit : public ::testing::Test {
protected:
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    CleanableItem history = makeItem(privacySweep, "/p/History", 10, true);
    CleanableItem junk = makeItem(systemJunk, "/j/junk", 10, true);

    void SetUp() override {
        state.setCategoryResults({{privacySweep, makeResult(privacySweep, {history})},
                                  {systemJunk, makeResult(systemJunk, {junk})}});
    }
};

TEST(BrowserQuitQuestion, TextsForOneAndForSeveralBrowsers) {
    PromptQuestion one = browserQuitQuestion({"Firefox"});
    EXPECT_EQ(one.title, "Quit browsers before cleaning?");
    EXPECT_EQ(one.message,
              "Firefox is open. Browser history and cache can stay locked or be written back while a "
              "browser is running. Zelva Nexal can quit it now, then clean.");
    EXPECT_EQ(one.acceptButton, "Quit and Clean");
    EXPECT_EQ(one.cancelButton, "Cancel");
    EXPECT_FALSE(one.acceptIsDestructive); // Return quits the browsers and cleans
    EXPECT_EQ(browserQuitQuestion({"Safari", "Chrome"}).message,
              "Chrome, Safari are open. Browser history and cache can stay locked or be written back while a "
              "browser is running. Zelva Nexal can quit them now, then clean.");
    EXPECT_EQ(browserDisplayName("com.operasoftware.OperaGX"), "Opera GX");
    EXPECT_EQ(browserDisplayName("com.example.notes"), std::nullopt);
}

TEST_F(AppStateBrowserQuit, CancelChangesNothing) {
    harness.runBrowser(300, kFirefox);
    harness.runBrowser(200, kChrome);
    state.cleanAll();
    ASSERT_EQ(harness.prompter->questions.size(), 1u);
    EXPECT_EQ(harness.prompter->questions[0].message.substr(0, 24), "Chrome, Firefox are open");
    EXPECT_TRUE(state.isBusy()); // while the question is open nothing else starts
    state.startSmartScan();
    EXPECT_EQ(state.scanState(), ScanState::idle());

    harness.prompter->answer(false);
    harness.clock->advance(5s);
    test::processQueuedWork();
    EXPECT_EQ(state.scanState(), ScanState::idle());
    EXPECT_FALSE(state.isBusy());
    EXPECT_TRUE(harness.cleaner->cleanCalls().empty());
    EXPECT_TRUE(harness.processes->signalsSent.empty());
}

TEST_F(AppStateBrowserQuit, QuitTerminatesEveryInstanceAndWaitsBeforeCleaning) {
    harness.runBrowser(200, kChrome);
    harness.processes->processes.push_back({201, 200, test::kTestUser, kChrome}); // a renderer: not counted
    harness.runBrowser(250, kChrome);                                             // a second instance
    harness.processes->processes.push_back({260, 1, 0, kFirefox});                // another user's browser
    state.cleanCategory(privacySweep);
    ASSERT_EQ(harness.prompter->questions.size(), 1u);
    EXPECT_EQ(harness.prompter->questions[0].message.substr(0, 36), "Chrome, Chrome are open. Browser his");

    harness.prompter->answer(true);
    EXPECT_EQ(harness.processes->signalsSent,
              (std::vector<std::pair<pid_t, int>>{{200, SIGTERM}, {250, SIGTERM}}));
    EXPECT_EQ(state.scanState(), ScanState::cleaning(0));
    harness.clock->advance(1499ms);
    test::processQueuedWork();
    EXPECT_TRUE(harness.cleaner->cleanCalls().empty());
    harness.clock->advance(1ms);
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
    EXPECT_EQ(harness.cleaner->cleanCalls().back(), std::vector<CleanableItem>{history});
}

TEST_F(AppStateBrowserQuit, NoPrivacyItemsNoQuestionNoWait) {
    harness.runBrowser(200, kChrome);
    state.deselectAllInCategory(privacySweep);
    state.cleanAll();
    EXPECT_TRUE(harness.prompter->questions.empty());
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::cleaned(); })); // no clock advanced
    EXPECT_EQ(harness.cleaner->cleanCalls().back(), std::vector<CleanableItem>{junk});
}

TEST_F(AppStateBrowserQuit, NoBrowserRunningNoQuestionNoWait) {
    harness.processes->processes.push_back({90, 1, test::kTestUser, "/usr/bin/bash"});
    state.cleanAll();
    EXPECT_TRUE(harness.prompter->questions.empty());
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
}

TEST_F(AppStateBrowserQuit, ScanAndCleanAsksFirst) {
    harness.runBrowser(200, kFirefox);
    harness.scanner->setResult(makeResult(privacySweep, {history}));
    state.scanAndCleanCategory(privacySweep);
    ASSERT_EQ(harness.prompter->questions.size(), 1u);
    EXPECT_EQ(harness.prompter->questions[0].message.substr(0, 16), "Firefox is open.");
    EXPECT_EQ(state.scanState(), ScanState::idle());
    harness.prompter->answer(true);
    EXPECT_EQ(state.scanState(), ScanState::scanning(0, "Privacy Sweep"));
    harness.clock->advance(1500ms);
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
}

} // namespace
} // namespace zn
