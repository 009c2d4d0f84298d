#include "Services/PermissionCoordinator.h"
#include "ViewModels/AppState.h"
#include "Views/MainWindow.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/RecordingUrlOpener.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using test::makeItem;
using test::makeResult;

class MainWindowTest : public ::testing::Test {
protected:
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    PermissionCoordinator permission{std::make_shared<FullDiskAccessManager>(),
                                     std::make_shared<test::RecordingUrlOpener>(), harness.clock};
    MainWindow window{state, permission, *harness.prompter};

    QTreeWidgetItem* row(int group, int item) {
        return window.resultsList().topLevelItem(group)->child(item);
    }
    bool cleaning() { return state.scanState().kind() == ScanState::Kind::cleaning; }
};

TEST_F(MainWindowTest, CheckBoxesShowAndChangeTheSelection) {
    auto log = makeItem(systemJunk, "/u/Library/Logs/a.log", 2000, true);
    auto video = makeItem(largeFiles, "/u/Movies/big.mov", 5000, false);
    state.setCategoryResults(
        {{systemJunk, makeResult(systemJunk, {log})}, {largeFiles, makeResult(largeFiles, {video})}});
    ASSERT_EQ(window.resultsList().topLevelItemCount(), 2);
    EXPECT_EQ(window.resultsList().topLevelItem(0)->text(0), "Mac Cleanup");
    EXPECT_EQ(row(0, 0)->checkState(0), Qt::Checked);
    EXPECT_EQ(row(1, 0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(row(1, 0)->text(1), "5 KB");
    EXPECT_EQ(window.cleanButton().text(), "Clean 2 KB now");

    row(1, 0)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(state.isItemSelected(video));
    EXPECT_EQ(window.cleanButton().text(), "Review 7 KB");
    row(0, 0)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(state.isItemSelected(log));
    EXPECT_EQ(window.cleanButton().text(), "Review 5 KB");
    row(0, 0)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(state.isItemSelected(log));
}

TEST_F(MainWindowTest, ItemsToReviewAskBeforeCleaning) {
    auto video = makeItem(largeFiles, harness.tree.file("Movies/big.mov", 5000), 5000, false);
    state.setCategoryResults({{largeFiles, makeResult(largeFiles, {video})}});
    state.toggleItem(video);

    window.cleanButton().click();
    ASSERT_EQ(harness.prompter->questions.size(), 1u);
    EXPECT_EQ(
        harness.prompter->questions[0],
        (PromptQuestion{"Review before cleaning 5 KB",
                        "Some selected items may be personal or tied to coding tools. Review them before "
                        "cleaning.",
                        "Clean selected items", "Cancel"}));
    harness.prompter->answer(false);
    EXPECT_FALSE(cleaning());

    window.cleanButton().click();
    harness.prompter->answer(true);
    EXPECT_TRUE(cleaning());
    EXPECT_FALSE(window.cleanButton().isEnabled());
    EXPECT_FALSE(window.scanButton().isEnabled());
    ASSERT_TRUE(test::waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
}

TEST_F(MainWindowTest, SafeItemsCleanAtOnce) {
    auto log = makeItem(systemJunk, harness.tree.file("Library/Logs/a.log", 2000), 2000, true);
    state.setCategoryResults({{systemJunk, makeResult(systemJunk, {log})}});
    window.cleanButton().click();
    EXPECT_TRUE(harness.prompter->questions.empty());
    EXPECT_TRUE(cleaning());
    ASSERT_TRUE(test::waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
}

TEST_F(MainWindowTest, ACleanFailureIsShownUntilOk) {
    state.setCleanErrorIsFDAFixable(false);
    state.setCleanError("Couldn't remove 2 items.");
    test::processQueuedWork();
    auto* alert = window.findChild<QMessageBox*>();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->windowTitle(), "Couldn't clean everything");
    EXPECT_EQ(alert->text(), "Couldn't remove 2 items.");
    ASSERT_EQ(alert->buttons().size(), 1);
    EXPECT_EQ(alert->buttons()[0]->text(), "OK");
    alert->buttons()[0]->click();
    EXPECT_FALSE(state.cleanError().has_value());
}

} // namespace
} // namespace zn
