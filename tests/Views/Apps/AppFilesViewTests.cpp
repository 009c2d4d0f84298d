#include "Platform/core/ByteCountFormatter.h"
#include "Platform/core/ItemSize.h"
#include "ViewModels/AppState.h"
#include "ViewModels/ListedItemSizes.h"
#include "Views/Apps/AppFilesView.h"
#include "Views/Apps/UninstallerFixture.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/PlainIconButton.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Lists/FileChecklist.h"
#include "Views/Kit/Motion/Motion.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEnterEvent>
#include <QGraphicsOpacityEffect>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zn {
namespace {

using test::processQueuedWork;
using test::exists;
using test::waitUntil;

bool showsText(QWidget& widget, const QString& text) {
    for (auto* label : widget.findChildren<TextLabel*>())
        if (label->text() == text)
            return true;
    return false;
}

class AppFilesViewTest : public ::testing::Test, public test::UninstallerFixture {
protected:
    AppFilesView& pane() { return view->filesView(); }
    InstalledApp figma = addApp("Figma", "com.figma.Desktop", 300'000'000);
};

TEST_F(AppFilesViewTest, TheSearchShowsItsPlacesAndAnEmptyResultNamesTheApp) {
    state->setSelectedApp(figma);
    state->setIsScanningAppFiles(true);
    state->setAppFileScanLocationCount(42);
    EXPECT_EQ(pane().content().currentIndex(), 0);
    EXPECT_EQ(pane().progressDetailLabel().text(), QStringLiteral("Checking 42 places..."));
    EXPECT_TRUE(pane().fileCountLabel().isHidden() || !pane().fileCountLabel().isVisible());

    state->setIsScanningAppFiles(false);
    ASSERT_NE(pane().emptyState(), nullptr);
    EXPECT_EQ(pane().content().currentWidget()->findChild<EmptyStateView*>(), pane().emptyState());
    EXPECT_EQ(pane().emptyState()->title(), QStringLiteral("No extra files found"));
    EXPECT_TRUE(showsText(*pane().emptyState(), QStringLiteral("Figma doesn't appear to have extra files to remove.")));
    EXPECT_FALSE(pane().fileCountLabel().isVisible());
}

TEST_F(AppFilesViewTest, TotalsAndFooterFollowTheSelection) {
    const std::string a = homeFile("Library/Preferences/com.figma.Desktop.plist");
    const std::string b = homeFile("Library/Logs/Figma.log");
    showFiles(figma, {a, b});
    state->setSelectedFiles({});
    EXPECT_TRUE(pane().fileCountLabel().isVisible());
    EXPECT_EQ(pane().fileCountLabel().text(), QStringLiteral("2 files"));
    EXPECT_EQ(pane().selectedSizeLabel().text(), QStringLiteral("Zero KB"));
    EXPECT_TRUE(pane().removeButton().isHidden());

    QTest::mouseClick(&pane().selectAllButton(), Qt::LeftButton);
    EXPECT_EQ(state->selectedFiles(), (std::set<std::string>{a, b}));
    EXPECT_FALSE(pane().removeButton().isHidden());
    const QString both = QString::fromStdString(formatByteCount(*listedFileSize(a) + *listedFileSize(b)));
    EXPECT_EQ(pane().removeButton().text(), QStringLiteral("Remove 2 files (%1)").arg(both));
    EXPECT_EQ(pane().selectedSizeLabel().text(), both);

    // A row's own check box edits the selection in place.
    pane().fileList().row(a)->toggle();
    EXPECT_EQ(state->selectedFiles(), std::set<std::string>{b});
    EXPECT_EQ(pane().fileList().row(a), pane().fileList().rows().front());

    QTest::mouseClick(&pane().clearSelectionButton(), Qt::LeftButton);
    EXPECT_TRUE(state->selectedFiles().empty());
    EXPECT_TRUE(pane().removeButton().isHidden());
}

TEST_F(AppFilesViewTest, RemovingOneFileAsksFirstThenReplacesTheSelectionWithIt) {
    const std::string a = homeFile("Library/Caches/com.figma.Desktop/a");
    const std::string b = homeFile("Library/Logs/Figma.log");
    const std::string c = homeFile("Library/Preferences/com.figma.Desktop.plist");
    showFiles(figma, {a, b, c});

    pane().confirmRemoval(b);
    ASSERT_EQ(harness.prompter->questions.size(), 1u);
    EXPECT_EQ(harness.prompter->questions[0],
              (PromptQuestion{"Remove Figma.log?",
                              "This removes the selected extra app file. Your documents, photos, bookmarks, and "
                              "passwords are not touched.",
                              "Remove", "Cancel", true}));
    harness.prompter->answer(false);
    EXPECT_EQ(state->selectedFiles().size(), 3u);
    EXPECT_TRUE(exists(b));

    pane().confirmRemoval(b);
    harness.prompter->answer(true);
    EXPECT_EQ(state->selectedFiles(), std::set<std::string>{b});
    ASSERT_TRUE(waitUntil([&] { return state->discoveredFiles().size() == 2; }));
    EXPECT_FALSE(exists(b));
    EXPECT_TRUE(exists(harness.trash->trash().homeTrash() + "/files/Figma.log"));
    EXPECT_TRUE(exists(a));
    EXPECT_TRUE(exists(c));
    EXPECT_EQ(state->discoveredFiles(), (std::vector<std::string>{a, c}));
    EXPECT_TRUE(state->selectedFiles().empty());
}

TEST_F(AppFilesViewTest, TheRowsButtonsFadeInOnHoverAndFadeOutBeforeTheyGo) {
    const std::string a = homeFile("Library/Logs/Figma.log");
    showFiles(figma, {a});
    CheckableFileRow& row = *pane().fileList().row(a);
    const auto buttons = row.findChildren<PlainIconButton*>();
    ASSERT_EQ(buttons.size(), 2);
    const auto opacity = [](QWidget* button) {
        const auto* effect = qobject_cast<QGraphicsOpacityEffect*>(button->graphicsEffect());
        return effect ? effect->opacity() : 1.0;
    };
    for (PlainIconButton* button : buttons)
        EXPECT_TRUE(button->isHidden());

    struct MotionOn {
        MotionOn() { Motion::setEnabled(true); }
        ~MotionOn() { Motion::setEnabled(false); }
    } motion;
    QEnterEvent enter(QPointF(5, 5), row.mapToGlobal(QPointF(5, 5)), row.mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(&row, &enter);
    for (PlainIconButton* button : buttons) {
        EXPECT_FALSE(button->isHidden());
        EXPECT_LT(opacity(button), 0.5);
    }
    EXPECT_TRUE(waitUntil([&] { return opacity(buttons[0]) == 1.0 && opacity(buttons[1]) == 1.0; }));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&row, &leave);
    for (PlainIconButton* button : buttons) {
        EXPECT_FALSE(button->isHidden());
        EXPECT_GT(opacity(button), 0.5);
    }
    EXPECT_TRUE(waitUntil([&] { return buttons[0]->isHidden() && buttons[1]->isHidden(); }));
}

TEST_F(AppFilesViewTest, FoldersAreSizedByWhatTheyHold) {
    const std::string folder = harness.tree.folder("home/Library/Application Support/Figma");
    for (const char* name : {"one", "two", "three"})
        homeFile(std::string("Library/Application Support/Figma/") + name, 20000);
    const std::string plist = homeFile("Library/Preferences/com.figma.Desktop.plist", 100);
    showFiles(figma, {folder, plist});

    const auto folderSize = pane().fileList().row(folder)->size();
    ASSERT_TRUE(folderSize);
    EXPECT_EQ(*folderSize, *listedItemSize(folder));
    EXPECT_GE(*folderSize, 60000);
    EXPECT_EQ(pane().fileList().row(plist)->size(), listedFileSize(plist));
    EXPECT_EQ(pane().sizes().countedTotal(), *folderSize + *listedFileSize(plist));
}

TEST_F(AppFilesViewTest, AFailureThatAccessWouldFixGoesToThePromptNeverToTheAlert) {
    state->setSelectedApp(figma);
    const std::string locked = homeFile("Library/Containers/com.figma.Desktop/data");
    // Written in the order the removal stores its outcome: the hand-off must see all of it.
    state->setLastFailedRemovalURLs({locked});
    state->setRemovalNeedsFullDiskAccess(true);
    state->setRemovalError("1 file couldn't be removed because macOS is protecting them.");
    processQueuedWork();
    ASSERT_EQ(harness.permission->requests.size(), 1u);
    EXPECT_EQ(harness.permission->requests[0].context, PermissionPromptContext::uninstall("Figma", 1));
    EXPECT_EQ(harness.permission->requests[0].failedPaths, std::vector<std::string>{locked});
    EXPECT_FALSE(pane().removalAlert().isOpen());
    EXPECT_FALSE(state->removalError());
    EXPECT_FALSE(state->removalNeedsFullDiskAccess());
    EXPECT_TRUE(state->lastFailedRemovalURLs().empty());

    // Away from the screen nothing happens; shown again with the flag still set, it is handed on.
    view->hide();
    state->setLastFailedRemovalURLs({locked});
    state->setRemovalNeedsFullDiskAccess(true);
    state->setRemovalNeedsFullDiskAccess(true);
    processQueuedWork();
    EXPECT_EQ(harness.permission->requests.size(), 1u);
    view->show();
    processQueuedWork();
    EXPECT_EQ(harness.permission->requests.size(), 2u);
    EXPECT_FALSE(state->removalNeedsFullDiskAccess());

    // Every later write of true is handed on as well.
    state->setLastFailedRemovalURLs({locked});
    state->setRemovalNeedsFullDiskAccess(true);
    processQueuedWork();
    EXPECT_EQ(harness.permission->requests.size(), 3u);
}

TEST_F(AppFilesViewTest, EveryOtherFailureShowsTheAlertUntilItIsDismissed) {
    state->setSelectedApp(figma);
    state->setRemovalError("2 files couldn't be removed. Make sure the files still exist and aren't open in another app.");
    processQueuedWork();
    ASSERT_TRUE(pane().removalAlert().isOpen());
    AlertDialog& alert = *pane().removalAlert().dialog();
    EXPECT_EQ(alert.title(), QStringLiteral("Couldn't remove everything"));
    EXPECT_EQ(alert.message(),
              QStringLiteral("2 files couldn't be removed. Make sure the files still exist and aren't open in another app."));
    ASSERT_EQ(alert.buttons().size(), 1u);
    EXPECT_EQ(alert.buttons()[0]->text(), QStringLiteral("OK"));
    QTest::mouseClick(alert.buttons()[0], Qt::LeftButton);
    processQueuedWork();
    EXPECT_FALSE(pane().removalAlert().isOpen());
    EXPECT_FALSE(state->removalError());
    EXPECT_TRUE(harness.permission->requests.empty());
}

} // namespace
} // namespace zn

namespace zn {
namespace {

TEST_F(AppFilesViewTest, AFailureIsReportedEvenWhenTheRemovalTookTheAppItself) {
    state->setSelectedApp(figma);
    state->setSelectedApp(std::nullopt); // its bundle went with the removal: the pane gives way
    ASSERT_FALSE(pane().isVisible());
    state->setRemovalError("1 file couldn't be removed. The files may have changed or macOS blocked access.");
    processQueuedWork();
    EXPECT_TRUE(pane().removalAlert().isOpen());
    pane().removalAlert().close();
    processQueuedWork();
    state->setLastFailedRemovalURLs({"/locked"});
    state->setRemovalNeedsFullDiskAccess(true);
    processQueuedWork();
    EXPECT_EQ(harness.permission->requests.size(), 1u);
}

} // namespace
} // namespace zn
