#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Lists/FileChecklist.h"
#include "Views/Orphans/LeftoversFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QStackedWidget>
#include <QTest>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zn {
namespace {

using test::processQueuedWork;
using test::exists;
using test::waitUntil;

class OrphanListViewTest : public ::testing::Test, public test::LeftoversFixture {
protected:
    std::string editor = leftover("Caches/com.vanished.editor");
    std::string logs = leftover("Logs/Abandoned Tool");
    std::string state_ = leftover("Saved Application State/com.vanished.editor.savedState");

    std::set<std::string> all() const {
        const auto& listed = state->orphanedFiles();
        return {listed.begin(), listed.end()};
    }
    // Removes the selection through the toolbar and its confirmation.
    void removeSelectedConfirming() {
        view->removeSelectedOrphans();
        ASSERT_TRUE(harness.prompter->isOpen());
        harness.prompter->answer(true);
        waitForRemoval();
    }
};

TEST_F(OrphanListViewTest, NothingIsSearchedUntilAskedAndScanAgainSearches) {
    EXPECT_EQ(view->content().currentWidget(), &view->emptyState());
    EXPECT_EQ(view->emptyState().title(), QStringLiteral("No old app leftovers"));
    ASSERT_NE(view->emptyState().actionButton(), nullptr);
    EXPECT_EQ(view->emptyState().actionButton()->text(), QStringLiteral("Scan again"));
    EXPECT_TRUE(view->selectToggleButton().isHidden());

    QTest::mouseClick(view->emptyState().actionButton(), Qt::LeftButton);
    EXPECT_EQ(view->content().currentIndex(), 0); // the linear progress
    ASSERT_TRUE(waitUntil([&] { return !state->isSearchingOrphans(); }));
    EXPECT_EQ(view->content().currentWidget(), &view->fileList());
    EXPECT_EQ(all(), (std::set<std::string>{editor, logs, state_}));
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Old app leftovers (3)"));
}

TEST_F(OrphanListViewTest, SelectAllTurnsIntoClearSelectionWhenEverythingIsSelected) {
    search();
    EXPECT_EQ(view->selectToggleButton().text(), QStringLiteral("Select all"));
    EXPECT_TRUE(view->removeButton().isHidden());
    QTest::mouseClick(&view->selectToggleButton(), Qt::LeftButton);
    EXPECT_EQ(view->selectedOrphans(), all());
    EXPECT_EQ(view->selectToggleButton().text(), QStringLiteral("Clear selection"));
    EXPECT_EQ(view->removeButton().text(), QStringLiteral("Remove selected (3)"));
    view->fileList().row(logs)->toggle();
    EXPECT_EQ(view->selectToggleButton().text(), QStringLiteral("Select all"));
    EXPECT_EQ(view->removeButton().text(), QStringLiteral("Remove selected (2)"));
    view->toggleSelectAll();
    view->toggleSelectAll();
    EXPECT_TRUE(view->selectedOrphans().empty());
    EXPECT_TRUE(view->removeButton().isHidden());
}

TEST_F(OrphanListViewTest, ASelectionNeverOutlivesItsRow) {
    search();
    view->toggleSelectAll();
    // A new search starts from an empty list: nothing stays selected behind it.
    search();
    EXPECT_TRUE(view->selectedOrphans().empty());

    view->toggleSelectAll();
    state->setOrphanedFiles({editor, state_});
    EXPECT_EQ(view->selectedOrphans(), (std::set<std::string>{editor, state_}));
    removeSelectedConfirming();
    EXPECT_FALSE(exists(editor));
    EXPECT_FALSE(exists(state_));
    EXPECT_TRUE(exists(logs)) << "a selection that is no longer listed must not be removed";
}

TEST_F(OrphanListViewTest, RemovingAsksFirstThenDropsTheRemovedFromListAndSelection) {
    search();
    view->toggleSelectAll();
    view->fileList().row(logs)->toggle();

    view->removeSelectedOrphans();
    ASSERT_EQ(harness.prompter->questions.size(), 1u);
    EXPECT_EQ(harness.prompter->questions[0].title, "Remove 2 selected item(s) permanently?");
    EXPECT_EQ(harness.prompter->questions[0].acceptButton, "Remove");
    EXPECT_TRUE(harness.prompter->questions[0].acceptIsDestructive);
    harness.prompter->answer(false);
    waitForRemoval();
    EXPECT_TRUE(exists(editor));
    EXPECT_EQ(view->selectedOrphans().size(), 2u);

    removeSelectedConfirming();
    EXPECT_FALSE(exists(editor));
    EXPECT_FALSE(exists(state_));
    EXPECT_TRUE(exists(logs));
    EXPECT_EQ(state->orphanedFiles(), std::vector<std::string>{logs});
    EXPECT_TRUE(view->selectedOrphans().empty());
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Old app leftovers (1)"));
    EXPECT_FALSE(view->removalAlert().isOpen());
    EXPECT_EQ(view->removalErrorMessage(), std::nullopt);
}

TEST_F(OrphanListViewTest, APathThePolicyRefusesIsReportedAndStaysOnDisk) {
    search();
    const std::string support = harness.tree.textFile("home/Library/Application Support/Vanished/data", "x");
    const std::string preferences = harness.tree.textFile("home/Library/Preferences/com.vanished.plist", "x");
    const std::string apple = leftover("Caches/com.apple.Thing");
    state->setOrphanedFiles({editor, support, preferences, apple});
    view->toggleSelectAll();
    denied = {editor};
    administratorRuns = false; // the password dialog is dismissed
    removeSelectedConfirming();

    EXPECT_TRUE(exists(support));
    EXPECT_TRUE(exists(preferences));
    EXPECT_TRUE(exists(apple));
    EXPECT_TRUE(exists(editor));
    ASSERT_EQ(administratorCalls.size(), 1u);
    EXPECT_EQ(administratorCalls[0], std::vector<std::string>{editor});
    ASSERT_TRUE(view->removalAlert().isOpen());
    const std::string message = *view->removalErrorMessage();
    EXPECT_EQ(message, "Zelva Nexal couldn't remove 4 item(s).\n\n" + support + " (kept for safety)\n" + apple +
                           " (kept for safety)\n" + preferences + " (kept for safety)\n\u2026");
    EXPECT_EQ(view->removalAlert().dialog()->title(), QStringLiteral("Some files could not be removed"));
    EXPECT_EQ(view->removalAlert().dialog()->message().toStdString(), message);
    EXPECT_EQ(state->orphanedFiles().size(), 4u);

    view->removalAlert().close();
    processQueuedWork();
    EXPECT_EQ(view->removalErrorMessage(), std::nullopt);
}

TEST_F(OrphanListViewTest, MoveToTrashMovesTheFileToTheTrashAndLeavesOtherSelections) {
    search();
    view->toggleSelectAll();
    QMenu* menu = view->contextMenu(editor);
    const auto actions = menu->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Reveal in Finder"));
    EXPECT_EQ(actions[1]->text(), QStringLiteral("Copy file path"));
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3]->text(), QStringLiteral("Move to Trash"));
    actions[3]->trigger();
    waitForRemoval();
    delete menu;

    EXPECT_FALSE(exists(editor));
    EXPECT_TRUE(exists(harness.trash->trash().homeTrash() + "/files/com.vanished.editor/data"));
    EXPECT_TRUE(exists(harness.trash->trash().homeTrash() + "/info/com.vanished.editor.trashinfo"));
    EXPECT_EQ(view->selectedOrphans(), (std::set<std::string>{logs, state_}));
    EXPECT_EQ(all(), (std::set<std::string>{logs, state_}));
    EXPECT_TRUE(harness.prompter->questions.empty());
}

TEST_F(OrphanListViewTest, WhenTheTrashFailsTheFileIsDeletedForGoodOnlyIfTheUserAgrees) {
    search();
    view->toggleSelectAll();
    harness.trash->failWith(logs, EXDEV);
    view->moveToTrash(logs);
    waitForRemoval();
    ASSERT_EQ(harness.prompter->questions.size(), 1u);
    EXPECT_EQ(harness.prompter->questions[0].title, "Delete \u201CAbandoned Tool\u201D permanently?");
    EXPECT_EQ(harness.prompter->questions[0].acceptButton, "Delete Permanently");
    EXPECT_TRUE(harness.prompter->questions[0].acceptIsDestructive);
    harness.prompter->answer(false);
    waitForRemoval();
    EXPECT_TRUE(exists(logs));

    view->moveToTrash(logs);
    waitForRemoval();
    harness.prompter->answer(true);
    waitForRemoval();
    EXPECT_FALSE(exists(logs));
    EXPECT_FALSE(exists(harness.trash->trash().homeTrash() + "/files/Abandoned Tool"));
    EXPECT_EQ(view->selectedOrphans(), (std::set<std::string>{editor, state_}));
    EXPECT_EQ(all(), (std::set<std::string>{editor, state_}));

    // A path the policy refuses is never moved anywhere.
    const std::string support = harness.tree.textFile("home/Library/Application Support/Vanished/data", "x");
    state->setOrphanedFiles({editor, state_, support});
    view->moveToTrash(support);
    waitForRemoval();
    EXPECT_TRUE(exists(support));
    EXPECT_EQ(*view->removalErrorMessage(),
              "Zelva Nexal couldn't remove 1 item(s).\n\n" + support + " (kept for safety)");
}

TEST_F(OrphanListViewTest, WhatHoldsAnotherUsersEntryIsNeitherMovedNorOfferedForDeletion) {
    search();
    harness.trash->keepFor(logs, logs + "/team.log");
    view->moveToTrash(logs);
    waitForRemoval();
    EXPECT_TRUE(harness.prompter->questions.empty());
    EXPECT_TRUE(exists(logs));
    EXPECT_EQ(*view->removalErrorMessage(), "Zelva Nexal couldn't remove 1 item(s).\n\n" + logs +
                                                "/team.log was kept: it belongs to another user");
    EXPECT_EQ(all(), (std::set<std::string>{editor, logs, state_}));
}

TEST_F(OrphanListViewTest, WhileARemovalRunsTheScreenStaysLiveButNothingElseCanBeRemoved) {
    search();
    view->toggleSelectAll();
    denied = {editor};
    administratorDialog.close();
    view->removeSelectedOrphans();
    harness.prompter->answer(true);
    ASSERT_TRUE(waitUntil([&] { return administratorDialog.hasWaiter(); }));
    processQueuedWork();

    // The main thread is free: the screen shows the pass and refuses a second one.
    EXPECT_TRUE(view->isRemoving());
    EXPECT_FALSE(view->removeButton().isEnabled());
    EXPECT_FALSE(view->fileList().row(logs)->isCheckEnabled());
    view->fileList().row(logs)->toggle();
    EXPECT_EQ(view->selectedOrphans().size(), 3u);
    QMenu* menu = view->contextMenu(logs);
    EXPECT_FALSE(menu->actions()[3]->isEnabled());
    delete menu;
    view->moveToTrash(logs);
    view->removeSelectedOrphans();
    EXPECT_EQ(harness.prompter->questions.size(), 1u);

    administratorDialog.open();
    waitForRemoval();
    EXPECT_FALSE(view->isRemoving());
    EXPECT_TRUE(view->removeButton().isEnabled() || view->removeButton().isHidden());
    EXPECT_TRUE(state->orphanedFiles().empty());
    EXPECT_EQ(administratorCalls.size(), 1u);
}

TEST_F(OrphanListViewTest, RevealAndCopyPath) {
    search();
    view->revealInFinder(editor);
    EXPECT_EQ(viewer.revealed, std::vector<std::string>{editor});
    ASSERT_EQ(removeLeftoverPermanently(editor, harness.leftoverRules->otherPeople()).outcome,
              OrphanRemoveOutcome::removed);
    view->revealInFinder(editor);
    EXPECT_EQ(viewer.revealed.size(), 1u);
    ASSERT_EQ(opener.urls().size(), 1u);
    EXPECT_EQ(opener.urls()[0].toLocalFile().toStdString(), harness.tree.path("home/Library/Caches"));
    view->revealInFinder(harness.tree.path("home/Library/Nowhere/Gone"));
    EXPECT_EQ(opener.urls().size(), 1u);

    view->copyPath(logs);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), logs);
}

} // namespace
} // namespace zn
