#include "appsupport/AppStateHarness.h"

#include <QThreadPool>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::waitUntil;

// Leftovers in the fixture home's caches and logs, beside folders of an installed application.
class AppStateOrphans : public ::testing::Test {
protected:
    test::AppStateHarness harness;
    InstalledApp notes{Uuid::random(), "Notes Pro", "com.example.notespro", "/Applications/Notes Pro.app", 1};
    std::string gone;
    std::string goneLogs;

    void SetUp() override {
        harness.installedApps->set({notes});
        gone = harness.tree.folder("home/Library/Caches/com.vanished.tool");
        goneLogs = harness.tree.folder("home/Library/Logs/Abandoned Thing");
        harness.tree.folder("home/Library/Caches/com.example.notespro");      // its bundle identifier
        harness.tree.folder("home/Library/Caches/Notes Pro Helper Data");     // its name and more words
        harness.tree.folder("home/Library/Caches/Google");                    // a skipped vendor prefix
        harness.tree.folder("home/Library/Caches/com.apple.Safari");          // the system's own
        harness.tree.folder("home/Library/Application Support/Vanished App"); // outside the policy's roots
    }
    std::vector<std::string> expected() const { return {goneLogs, gone}; } // by file name
};

TEST_F(AppStateOrphans, AreFoundAgainstTheInstalledApplicationsAndThePolicy) {
    AppState& state = harness.makeState(true);
    ASSERT_TRUE(waitUntil([&] { return !state.isLoadingApps(); }));
    state.findOrphans();
    EXPECT_TRUE(state.isSearchingOrphans());
    ASSERT_TRUE(waitUntil([&] { return !state.isSearchingOrphans(); }));
    EXPECT_EQ(state.orphanedFiles(), expected());
}

TEST_F(AppStateOrphans, AreNeverMatchedAgainstAListThatWasNotLoaded) {
    AppState& state = harness.makeState(false);
    EXPECT_TRUE(state.installedApps().empty());
    state.findOrphans();
    EXPECT_TRUE(state.isLoadingApps()); // it loads the list first
    ASSERT_TRUE(waitUntil([&] { return !state.isSearchingOrphans(); }));
    EXPECT_EQ(state.installedApps().size(), 1u);
    EXPECT_EQ(state.orphanedFiles(), expected());
}

TEST_F(AppStateOrphans, WaitForTheApplicationListThatIsStillLoading) {
    harness.installedApps->holdNextFetch();
    AppState& state = harness.makeState(true);
    ASSERT_TRUE(waitUntil([&] { return harness.installedApps->gate().hasWaiter(); }));
    state.findOrphans();
    state.findOrphans(); // a second request while waiting is answered once, by the newest search
    QThreadPool::globalInstance()->waitForDone(200);
    test::processQueuedWork();
    EXPECT_TRUE(state.isSearchingOrphans());
    EXPECT_TRUE(state.orphanedFiles().empty());

    harness.installedApps->gate().open();
    ASSERT_TRUE(waitUntil([&] { return !state.isSearchingOrphans(); }));
    EXPECT_EQ(state.orphanedFiles(), expected());
}

} // namespace
} // namespace zn
