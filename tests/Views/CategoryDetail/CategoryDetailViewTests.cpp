#include "ViewModels/AppState.h"
#include "Views/CategoryDetail/CategoryDetailView.h"
#include "Views/CategoryDetail/CategoryFileList.h"
#include "Views/CategoryDetail/CategoryHeroCard.h"
#include "Views/CategoryDetail/CategorySelectionBar.h"
#include "Views/CategoryDetail/FileListModel.h"
#include "Views/CategoryDetail/FileListView.h"
#include "Views/CategoryDetail/FileRowDelegate.h"
#include "Views/CategoryDetail/NotScannedStateView.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Controls/CheckBoxPainter.h"
#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Feedback/AlertDialog.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Labels/SymbolView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/KitStyle.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/MainWindow/MainWindow.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/MainWindowHarness.h"
#include "appsupport/RecordingFileViewer.h"
#include "appsupport/Screenshots.h"
#include "support/Patience.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using test::makeItem;
using test::makeResult;
using test::processQueuedWork;
using test::waitUntil;

class CategoryDetailTest : public ::testing::Test {
protected:
    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    test::RecordingFileViewer viewer;
    CategoryDetailView view{state, largeFiles, viewer};

    void showResult(CleaningCategory category, std::vector<CleanableItem> items) {
        auto results = state.categoryResults();
        results[category] = makeResult(category, std::move(items));
        state.setCategoryResults(std::move(results));
        processQueuedWork();
        // The list is prepared off the main thread.
        EXPECT_TRUE(waitUntil([&] { return !model().isPreparing(); }));
    }
    // Types a filter; keystrokes are filtered a moment later, together.
    void filter(const QString& text) {
        view.searchField().setText(text);
        EXPECT_TRUE(waitUntil([&] { return model().filterText() == text; }));
    }
    void show() {
        view.resize(900, 640);
        view.show();
        processQueuedWork();
    }
    CategorySelectionBar& bar() { return view.selectionBar(); }
    FileListModel& model() { return view.fileModel(); }
    std::vector<std::string> shownNames() {
        std::vector<std::string> names;
        for (int row = 0; row < model().rowCount(); ++row)
            names.push_back(model().itemAt(row).name);
        return names;
    }
    QPoint rowCentre(int row) {
        FileListView& list = view.fileList().view();
        return list.visualRect(model().index(row)).center();
    }
    void clickRow(int row) { QTest::mouseClick(view.fileList().view().viewport(), Qt::LeftButton, {}, rowCentre(row)); }
};

TEST_F(CategoryDetailTest, BeforeAScanItInvitesToScan) {
    EXPECT_EQ(view.currentContent(), &view.notScannedState());
    EXPECT_TRUE(bar().isHidden());
    EXPECT_TRUE(view.heroCard().rescanButton().isHidden());
    EXPECT_TRUE(view.heroCard().countLine().isHidden());
    EXPECT_EQ(view.heroCard().title().text(), "Large Files");
    EXPECT_EQ(view.windowTitle(), "Large Files");
    EXPECT_EQ(view.notScannedState().description().text(), "Run a scan to see what Zelva Nexal can clean here.");
    view.setCategory(privacySweep);
    EXPECT_EQ(view.notScannedState().description().text(),
              "Clear browser history, downloads, and website traces without touching bookmarks or passwords.");

    harness.scanner->setResult(makeResult(privacySweep, {makeItem(privacySweep, "/u/Library/Safari/History.db", 700, true)}));
    view.notScannedState().scanButton().click();
    ASSERT_TRUE(waitUntil([&] { return view.currentContent() == &view.fileList(); }));
    EXPECT_EQ(harness.scanner->scannedCategories(), std::vector<CleaningCategory>{privacySweep});
    EXPECT_FALSE(bar().isHidden());
    EXPECT_FALSE(view.heroCard().rescanButton().isHidden());
    EXPECT_EQ(view.heroCard().countLine().text(), "1 items \u00b7 700 bytes");
}

TEST_F(CategoryDetailTest, AScanThatFoundNothingSaysSo) {
    showResult(largeFiles, {});
    EXPECT_EQ(view.currentContent(), &view.nothingToCleanState());
    EXPECT_EQ(view.nothingToCleanState().title(), "Nothing to clean");
    EXPECT_EQ(view.nothingToCleanState().actionButton(), nullptr);
    EXPECT_TRUE(bar().isHidden());
    EXPECT_FALSE(view.heroCard().rescanButton().isHidden());
    EXPECT_TRUE(view.heroCard().countLine().isHidden());
}

TEST_F(CategoryDetailTest, SortIsStableBothWaysAndTheFilterLeavesTheCountsAlone) {
    filter("REPORT"); // typed before the scan: it filters once the result arrives
    showResult(largeFiles, {makeItem(largeFiles, "/u/a/report-a.pdf", 5, false),
                            makeItem(largeFiles, "/u/b/big.mov", 9, true),
                            makeItem(largeFiles, "/u/Reports/c.txt", 5, true),
                            makeItem(largeFiles, "/u/d/small.zip", 1, false)});
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"report-a.pdf", "c.txt"}));
    EXPECT_EQ(view.fileList().header().text(), "2 of 4 selected");
    EXPECT_EQ(bar().summary().text(), "2 selected");
    EXPECT_EQ(bar().sizeSummary().text(), "14 bytes selected");

    filter("");
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"big.mov", "report-a.pdf", "c.txt", "small.zip"}));
    bar().smallestFirstAction().trigger();
    EXPECT_FALSE(view.sortDescending());
    EXPECT_EQ(bar().sortButton().toolTip(), "Sort: Smallest First");
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"small.zip", "report-a.pdf", "c.txt", "big.mov"}));
    bar().largestFirstAction().trigger();
    EXPECT_EQ(bar().sortButton().toolTip(), "Sort: Largest First");
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"big.mov", "report-a.pdf", "c.txt", "small.zip"}));

    // Nothing matches: no rows, the same counts, and Clean still acts on the hidden selection.
    filter("nothing like it");
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_EQ(view.fileList().header().text(), "2 of 4 selected");
    EXPECT_TRUE(bar().cleanButton().isEnabled());
    bar().cleanButton().click();
    ASSERT_NE(view.reviewDialog(), nullptr);
    EXPECT_EQ(view.reviewDialog()->title(), "Review before cleaning 14 bytes");

    // The sort order and the filter stay when another category is shown.
    bar().smallestFirstAction().trigger();
    view.reviewDialog()->buttons()[1]->click();
    view.setCategory(trashBins);
    EXPECT_EQ(view.searchField().text(), "nothing like it");
    EXPECT_FALSE(view.sortDescending());
}

// The first and last columns where two pictures of the same size differ (-1 when they are alike).
std::pair<int, int> differingColumns(const QImage& image, const QImage& reference) {
    std::pair<int, int> columns{-1, -1};
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != reference.pixel(x, y)) {
                columns = {columns.first < 0 ? x : columns.first, x};
                break;
            }
    return columns;
}

TEST_F(CategoryDetailTest, TheSortMenuMarksTheOrderInForceWithACheckMarkAfterItsTitle) {
    showResult(largeFiles, {makeItem(largeFiles, "/u/a.mov", 5, false)});
    show();
    QMenu& menu = *bar().sortButton().menu();
    const auto entry = [&](QAction& action) {
        menu.popup(QPoint(0, 0));
        processQueuedWork();
        // Inside the entry's rectangle, clear of the menu's frame.
        const QImage image = menu.grab(menu.actionGeometry(&action).adjusted(2, 2, -2, -2)).toImage();
        menu.hide();
        return image;
    };
    for (QAction* action : {&bar().largestFirstAction(), &bar().smallestFirstAction()}) {
        action->trigger();
        ASSERT_TRUE(action->isChecked());
        const QImage marked = entry(*action);
        QAction& other =
            action == &bar().largestFirstAction() ? bar().smallestFirstAction() : bar().largestFirstAction();
        other.trigger();
        const QImage plain = entry(*action);
        ASSERT_EQ(marked.size(), plain.size());

        // The plain entry is its title alone on the ground; the marked one adds ink only past the title.
        QImage ground(plain.size(), plain.format());
        ground.fill(plain.pixel(0, 0));
        const auto [titleStart, titleEnd] = differingColumns(plain, ground);
        ASSERT_GE(titleStart, 0);
        EXPECT_GT(differingColumns(marked, plain).first, titleEnd + 2) << action->text().toStdString();
    }
}

TEST_F(CategoryDetailTest, TheSummaryLinesAndTheTitleBlockKeepTheirSpacingInATallerRow) {
    const auto gap = [](const QWidget& upper, const QWidget& lower) {
        return lower.geometry().top() - upper.geometry().bottom() - 1;
    };
    // Before a scan the hero's tile is higher than its name and description.
    show();
    const CategoryHeroCard& hero = view.heroCard();
    EXPECT_EQ(gap(hero.title(), hero.descriptionLine()), 4);
    EXPECT_EQ(hero.title().height(), hero.title().sizeHint().height());

    showResult(largeFiles, {makeItem(largeFiles, "/u/a.mov", 5, true)});
    EXPECT_EQ(gap(hero.title(), hero.descriptionLine()), 4);
    EXPECT_EQ(gap(hero.descriptionLine(), hero.countLine()), 4);
    EXPECT_EQ(gap(bar().summary(), bar().sizeSummary()), 2);
    EXPECT_EQ(bar().summary().height(), bar().summary().sizeHint().height());
    // Both lines sit in the middle of the bar, which its buttons make higher.
    const int above = bar().summary().geometry().top();
    const int below = bar().height() - bar().sizeSummary().geometry().bottom() - 1;
    EXPECT_GT(above, 8);
    EXPECT_LE(std::abs(above - below), 1);
}

// The Clean button as drawn: a filled shape of 138 by 52 points in the middle of the bar, its fill edged by
// a one-pixel rim, even though its shadow reaches above the bar's padding.
TEST_F(CategoryDetailTest, TheCleanButtonIsDrawnAtItsFullSize) {
    showResult(largeFiles, {makeItem(largeFiles, "/u/a.mov", 5'000, true)});
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        SCOPED_TRACE(test::schemeName(scheme).toStdString());
        test::useScheme(view, scheme);
        show();
        const QImage image = bar().grab().toImage();
        const QPoint middle = bar().cleanButton().geometry().center();
        // Beside the label, away from the rounded corners.
        const int column = middle.x() - 45;
        const QColor fill = image.pixelColor(column, middle.y());
        const auto filled = [&](int x, int y) {
            const QColor pixel = image.pixelColor(x, y);
            return std::abs(pixel.red() - fill.red()) + std::abs(pixel.green() - fill.green()) +
                       std::abs(pixel.blue() - fill.blue()) < 40;
        };
        int top = middle.y();
        while (top > 0 && filled(column, top - 1))
            --top;
        int bottom = middle.y();
        while (bottom + 1 < image.height() && filled(column, bottom + 1))
            ++bottom;
        int left = column;
        while (left > 0 && filled(left - 1, middle.y()))
            --left;
        int right = 2 * middle.x() - column;
        while (right + 1 < image.width() && filled(right + 1, middle.y()))
            ++right;
        EXPECT_EQ(bottom - top + 1 + 2, 52);
        EXPECT_EQ(right - left + 1 + 2, 138);
        EXPECT_EQ(top - 1, 8);
        EXPECT_EQ(bar().height(), 8 + 52 + 8);
    }
}

TEST_F(CategoryDetailTest, CleanNeedsAtLeastOneSelectedByte) {
    auto empty = makeItem(largeFiles, "/u/empty.txt", 0, false);
    auto other = makeItem(largeFiles, "/u/zero.log", 0, false);
    showResult(largeFiles, {empty, other});
    EXPECT_EQ(bar().summary().text(), "Nothing selected");
    EXPECT_EQ(bar().sizeSummary().text(), "Choose files to clean");
    EXPECT_EQ(bar().statusSymbol().symbol(), "circle");
    EXPECT_FALSE(bar().cleanButton().isEnabled());

    state.toggleItem(empty);
    state.toggleItem(other);
    EXPECT_EQ(bar().summary().text(), "2 selected");
    EXPECT_EQ(bar().sizeSummary().text(), "Choose files to clean");
    EXPECT_EQ(bar().statusSymbol().symbol(), "checkmark.circle");
    EXPECT_FALSE(bar().cleanButton().isEnabled());
    EXPECT_EQ(bar().cleanButton().toolTip(), "Review 2 items");
}

TEST_F(CategoryDetailTest, SelectAllSelectsWhatIsMissingAndClearsAFullSelection) {
    auto a = makeItem(largeFiles, "/u/a.mov", 10, true);
    auto b = makeItem(largeFiles, "/u/b.mov", 20, false);
    showResult(largeFiles, {a, b});
    EXPECT_FALSE(bar().allSelected());
    bar().selectAllButton().click();
    EXPECT_TRUE(state.isItemSelected(a) && state.isItemSelected(b));
    EXPECT_TRUE(bar().allSelected());
    bar().selectAllButton().click();
    EXPECT_FALSE(state.isItemSelected(a) || state.isItemSelected(b));
    EXPECT_EQ(view.fileList().header().text(), "0 of 2 selected");
}

TEST_F(CategoryDetailTest, EachClickIsOneToggleAndARefreshIsNone) {
    auto log = makeItem(largeFiles, "/u/Library/Logs/old.log", 300, true);
    auto movie = makeItem(largeFiles, "/u/Movies/trip.mov", 900, false);
    showResult(largeFiles, {log, movie});
    show();
    ASSERT_EQ(shownNames(), (std::vector<std::string>{"trip.mov", "old.log"}));

    clickRow(1);
    EXPECT_FALSE(state.isItemSelected(log));
    EXPECT_EQ(model().data(model().index(1), Qt::CheckStateRole), Qt::Unchecked);
    clickRow(1);
    EXPECT_TRUE(state.isItemSelected(log));
    // Selected by default, cleared and ticked again: no trace of it in the user's choices.
    EXPECT_TRUE(state.deselectedItems().empty());
    EXPECT_TRUE(state.selectedCleanupItems().empty());

    // A double click is two clicks.
    QTest::mouseDClick(view.fileList().view().viewport(), Qt::LeftButton, {}, rowCentre(0));
    EXPECT_FALSE(state.isItemSelected(movie));
    QTest::mouseClick(view.fileList().view().viewport(), Qt::LeftButton, {}, rowCentre(0));
    EXPECT_TRUE(state.isItemSelected(movie));

    // Refreshes repaint the rows and never change a selection.
    const auto picked = state.selectedCleanupItems();
    state.setScanState(ScanState::completed());
    showResult(largeFiles, {log, movie});
    view.searchField().setText("o");
    processQueuedWork();
    EXPECT_EQ(state.selectedCleanupItems(), picked);
    EXPECT_TRUE(state.deselectedItems().empty());
}

TEST_F(CategoryDetailTest, ClicksInAListOfTwentyThousandItems) {
    const auto manyItems = [] {
        std::vector<CleanableItem> items;
        for (int index = 0; index < 20'000; ++index)
            items.push_back(makeItem(largeFiles, "/u/Library/Caches/folder-" + std::to_string(index),
                                     1000 + (index * 7919) % 100'000, index % 2 == 0));
        return items;
    };
    showResult(largeFiles, manyItems());
    show();
    ASSERT_EQ(model().rowCount(), 20'000);
    FileListView& list = view.fileList().view();
    QWidget* rows = list.viewport();
    const auto flipsOnce = [&](int row, const std::function<void()>& act) {
        const CleanableItem item = model().itemAt(row);
        const bool before = state.isItemSelected(item);
        act();
        return state.isItemSelected(item) != before;
    };

    for (int round = 0; round < 3; ++round) {
        for (int row = 0; row < 8; ++row) {
            EXPECT_TRUE(flipsOnce(row, [&] { QTest::mouseClick(rows, Qt::LeftButton, {}, rowCentre(row)); }));
            EXPECT_FALSE(flipsOnce(row, [&] { QTest::mouseDClick(rows, Qt::LeftButton, {}, rowCentre(row)); }));
        }
        // Further down the list.
        list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum() / (round + 2));
        // A row in the middle: the top one may be cut, its centre above the list.
        const int row = list.indexAt(QPoint(10, rows->height() / 2)).row();
        ASSERT_GT(row, 1000);
        EXPECT_TRUE(flipsOnce(row, [&] { clickRow(row); }));

        // New results arrive between clicks: the rows are rebuilt afterwards, never under a click.
        auto results = state.categoryResults();
        results[largeFiles] = makeResult(largeFiles, manyItems());
        state.setCategoryResults(std::move(results));
        EXPECT_TRUE(flipsOnce(row, [&] { clickRow(row); }));
        EXPECT_FALSE(flipsOnce(row, [&] { QTest::mouseDClick(rows, Qt::LeftButton, {}, rowCentre(row)); }));
        processQueuedWork();
        ASSERT_TRUE(waitUntil([&] { return !model().isPreparing(); }));
        const int shown = list.indexAt(QPoint(10, rows->height() / 2)).row();
        EXPECT_TRUE(flipsOnce(shown, [&] { clickRow(shown); }));
        list.scrollToTop();
    }
    EXPECT_EQ(view.fileList().header().text().toStdString(),
              std::to_string(state.selectedCountInCategory(largeFiles)) + " of 20000 selected");
}

// A filter that grows narrows the rows it has; one that shrinks or changes starts again from the sorted list.
// Either way the rows are those a filter of the whole list gives, in the same order, also when a list long
// enough to be searched in slices is.
TEST_F(CategoryDetailTest, AnIncrementalFilterShowsWhatAFullOneShows) {
    const std::vector<std::string> names{"Report 2024.PDF", "report-draft.txt", "Straße.log", "ÉTÉ photos.zip",
                                         "été notes.txt", "REPORTS", "big.mov", "Rep", "ort.txt"};
    std::vector<CleanableItem> items;
    for (std::size_t index = 0; index < 12'000; ++index)
        items.push_back(makeItem(largeFiles,
                                 "/u/" + std::string(index % 3 == 0 ? "Reports/" : "misc/") + names[index % names.size()],
                                 static_cast<std::int64_t>((index * 37) % 11), index % 2 == 0));
    showResult(largeFiles, items);
    const auto expected = [&](const QString& text, bool descending = true) {
        std::vector<CleanableItem> sorted = items;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const auto& a, const auto& b) {
            return descending ? a.size > b.size : a.size < b.size;
        });
        std::vector<Uuid> ids;
        for (const auto& item : sorted)
            if (text.isEmpty() || QString::fromStdString(item.name).contains(text, Qt::CaseInsensitive) ||
                QString::fromStdString(item.path).contains(text, Qt::CaseInsensitive))
                ids.push_back(item.id);
        return ids;
    };
    const auto shown = [&] {
        std::vector<Uuid> ids;
        for (int row = 0; row < model().rowCount(); ++row)
            ids.push_back(model().itemAt(row).id);
        return ids;
    };
    for (const QString text : {"r", "re", "rep", "repo", "REPORT", "report ", "report 2", "report", "rt",
                                "ort", "e", "é", "ét", "ÉTÉ", "été n", "s", "st", "straße", "/u/rep", "/u/reports/r",
                                "", "xyz", "xyzw", ""}) {
        model().setFilterText(text);
        EXPECT_EQ(shown(), expected(text)) << text.toStdString();
    }
    bar().smallestFirstAction().trigger();
    model().setFilterText("re");
    model().setFilterText("rep");
    EXPECT_EQ(shown(), expected("rep", false));
}

// Keys typed in a burst are filtered together, once, and the list ends with the text as typed.
TEST_F(CategoryDetailTest, ABurstOfKeystrokesEndsInTheRightRows) {
    showResult(largeFiles, {makeItem(largeFiles, "/u/screenshot-1.png", 30, true),
                            makeItem(largeFiles, "/u/screen recording.mov", 20, true),
                            makeItem(largeFiles, "/u/Screenshots/notes.txt", 10, true),
                            makeItem(largeFiles, "/u/scan.pdf", 40, true)});
    show();
    int rebuilds = 0;
    QObject::connect(&model(), &QAbstractItemModel::modelReset, [&] { ++rebuilds; });
    QTest::keyClicks(&view.searchField(), "screenshot");
    EXPECT_EQ(rebuilds, 0);
    ASSERT_TRUE(waitUntil([&] { return model().filterText() == "screenshot"; }));
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"screenshot-1.png", "notes.txt"}));
    QTest::keyClick(&view.searchField(), Qt::Key_Backspace);
    QTest::keyClicks(&view.searchField(), "-");
    ASSERT_TRUE(waitUntil([&] { return model().filterText() == "screensho-"; }));
    EXPECT_TRUE(shownNames().empty());
}

TEST_F(CategoryDetailTest, CleanAtOnceOrAfterAReview) {
    auto junk = makeItem(systemJunk, harness.tree.file("Library/Logs/a.log", 2000), 2000, true);
    showResult(systemJunk, {junk});
    view.setCategory(systemJunk);
    EXPECT_EQ(bar().cleanButton().toolTip(), "Clean 1 items");
    bar().cleanButton().click();
    EXPECT_EQ(view.reviewDialog(), nullptr);
    EXPECT_EQ(state.scanState().kind(), ScanState::Kind::cleaning);
    // Busy: nothing else starts, and Rescan says why.
    EXPECT_EQ(view.heroCard().rescanButton().text(), "Scanning\u2026");
    EXPECT_FALSE(view.heroCard().rescanButton().isEnabled());
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
    EXPECT_EQ(harness.cleaner->cleanCalls(), (std::vector<std::vector<CleanableItem>>{{junk}}));
    harness.clock->advance(std::chrono::seconds(3));

    auto kept = makeItem(largeFiles, harness.tree.file("Movies/kept.mov", 5000), 5000, false);
    auto chosen = makeItem(largeFiles, harness.tree.file("Movies/chosen.mov", 7000), 7000, false);
    showResult(largeFiles, {kept, chosen});
    view.setCategory(largeFiles);
    state.toggleItem(chosen);
    EXPECT_EQ(bar().cleanButton().toolTip(), "Review 1 items");
    show();
    bar().cleanButton().click();
    AlertDialog* dialog = view.reviewDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->title(), "Review before cleaning 7 KB");
    EXPECT_EQ(dialog->message(),
              "This area can include personal files or coding-tool files. Review the list before cleaning.");
    ASSERT_EQ(dialog->buttons().size(), 2u);
    EXPECT_EQ(dialog->buttons()[0]->text(), "Clean selected items");
    EXPECT_EQ(dialog->buttons()[1]->text(), "Cancel");
    dialog->buttons()[1]->click();
    processQueuedWork();
    EXPECT_EQ(view.reviewDialog(), nullptr);
    EXPECT_EQ(state.scanState(), ScanState::idle());

    bar().cleanButton().click();
    view.reviewDialog()->reject(); // Escape cleans nothing either
    processQueuedWork();
    EXPECT_EQ(state.scanState(), ScanState::idle());

    bar().cleanButton().click();
    view.reviewDialog()->buttons()[0]->click();
    ASSERT_TRUE(waitUntil([&] { return state.scanState() == ScanState::cleaned(); }));
    ASSERT_EQ(harness.cleaner->cleanCalls().size(), 2u);
    EXPECT_EQ(harness.cleaner->cleanCalls()[1], std::vector<CleanableItem>{chosen});
}

// The dialog stays open while the state moves on: its confirmation cleans nothing once the selection is
// gone or another run has started, and never touches an item the user did not pick.
TEST_F(CategoryDetailTest, AConfirmationThatComesTooLateCleansNothing) {
    auto kept = makeItem(largeFiles, harness.tree.file("Movies/kept.mov", 5000), 5000, false);
    auto chosen = makeItem(largeFiles, harness.tree.file("Movies/chosen.mov", 7000), 7000, false);
    showResult(largeFiles, {kept, chosen});
    state.toggleItem(chosen);
    show();

    bar().cleanButton().click();
    ASSERT_NE(view.reviewDialog(), nullptr);
    state.deselectAllInCategory(largeFiles);
    EXPECT_EQ(view.reviewDialog()->title(), "Review before cleaning Zero KB");
    view.reviewDialog()->buttons()[0]->click();
    processQueuedWork();
    EXPECT_EQ(state.scanState(), ScanState::idle());

    state.toggleItem(chosen);
    bar().cleanButton().click();
    ASSERT_NE(view.reviewDialog(), nullptr);
    harness.scanner->gate(systemJunk).close();
    state.scanSingleCategory(systemJunk);
    EXPECT_FALSE(bar().cleanButton().isEnabled());
    view.reviewDialog()->buttons()[0]->click();
    processQueuedWork();
    EXPECT_EQ(state.scanState().kind(), ScanState::Kind::scanning);
    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(waitUntil([&] { return state.scanState().kind() == ScanState::Kind::completed; }));
    EXPECT_TRUE(bar().cleanButton().isEnabled());
    EXPECT_TRUE(harness.cleaner->cleanCalls().empty());
}

// Rows are picked as they are shown: under a sort and a filter a click or Space changes the row's own item.
TEST_F(CategoryDetailTest, AClickInASortedFilteredListPicksTheItemShown) {
    auto hidden = makeItem(largeFiles, "/u/a/keep.mov", 5, false);
    auto larger = makeItem(largeFiles, "/u/b/pick.log", 9, false);
    auto smaller = makeItem(largeFiles, "/u/c/pick.txt", 7, false);
    showResult(largeFiles, {hidden, larger, smaller});
    bar().smallestFirstAction().trigger();
    filter("pick");
    show();
    ASSERT_EQ(shownNames(), (std::vector<std::string>{"pick.txt", "pick.log"}));

    clickRow(0);
    EXPECT_TRUE(state.isItemSelected(smaller));
    QTest::keyClick(&view.fileList().view(), Qt::Key_Space);
    EXPECT_FALSE(state.isItemSelected(smaller));
    clickRow(1);
    EXPECT_TRUE(state.isItemSelected(larger));
    EXPECT_FALSE(state.isItemSelected(smaller));
    EXPECT_FALSE(state.isItemSelected(hidden));
}

TEST_F(CategoryDetailTest, WhileTheListHasTheFocusItDrawsTheRowThatSpaceTicks) {
    auto first = makeItem(largeFiles, "/u/a.mov", 9, false);
    auto second = makeItem(largeFiles, "/u/b.mov", 5, false);
    showResult(largeFiles, {first, second, makeItem(largeFiles, "/u/c.mov", 1, false)});
    show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view, static_cast<int>(test::kPatience.count())));
    FileListView& list = view.fileList().view();
    const auto rows = [&] {
        std::vector<QImage> images;
        for (int row = 0; row < 3; ++row)
            images.push_back(list.viewport()->grab(list.visualRect(model().index(row))).toImage());
        return images;
    };
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        test::useScheme(view, scheme);
        list.setCurrentIndex(model().index(0));
        const std::vector<QImage> unfocused = rows();
        list.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&list, Qt::Key_Down);
        ASSERT_EQ(list.currentIndex().row(), 1);
        const std::vector<QImage> focused = rows();
        EXPECT_EQ(focused[0], unfocused[0]);
        EXPECT_TRUE(focused[1] != unfocused[1]) << test::schemeName(scheme).toStdString();
        EXPECT_EQ(focused[2], unfocused[2]);

        QTest::keyClick(&list, Qt::Key_Space);
        EXPECT_TRUE(state.isItemSelected(second));
        EXPECT_FALSE(state.isItemSelected(first));
        QTest::keyClick(&list, Qt::Key_Space);
        list.clearFocus();
        EXPECT_EQ(rows()[1], unfocused[1]);
    }
}

TEST_F(CategoryDetailTest, AScanElsewhereMakesTheScreenBusy) {
    showResult(largeFiles, {makeItem(largeFiles, "/u/a.mov", 10, true)});
    harness.scanner->gate(systemJunk).close();
    state.startSmartScan();
    EXPECT_EQ(view.heroCard().rescanButton().text(), "Scanning\u2026");
    EXPECT_FALSE(view.heroCard().rescanButton().isEnabled());
    view.setCategory(trashBins);
    EXPECT_FALSE(view.notScannedState().scanButton().isEnabled());
    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(waitUntil([&] { return state.scanState().kind() == ScanState::Kind::completed; }));
    EXPECT_TRUE(view.notScannedState().scanButton().isEnabled());
}

TEST_F(CategoryDetailTest, RevealShowsTheFileInTheFileManager) {
    showResult(largeFiles, {makeItem(largeFiles, "/u/Movies/trip.mov", 900, true)});
    QMenu* menu = view.fileList().view().contextMenuForRow(0);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Reveal in Finder");
    showResult(largeFiles, {}); // the rows are gone before the menu is used
    menu->actions()[0]->trigger();
    EXPECT_EQ(viewer.revealed, std::vector<std::string>{"/u/Movies/trip.mov"});
    delete menu;
}

// A name is shown as it will be removed: a line break or an override cannot hide or reverse part of it.
TEST_F(CategoryDetailTest, NamesShowTheirLineBreaksAndCannotReorderThemselves) {
    std::vector<CleanableItem> items;
    for (const char* name :
         {"Line\nBreak.app", "Line\u23CEBreak.app", "\u202Egnp.exe.app", "\uFFFDgnp.exe.app"})
        items.push_back(makeItem(largeFiles, std::string("/u/") + name, 500, false));
    items.push_back(makeItem(largeFiles, "/u/last.app", 1, false));
    for (CleanableItem& item : items)
        item.lastModified.reset();
    showResult(largeFiles, items);
    show();
    EXPECT_EQ(model().index(0).data().toString(), QStringLiteral("Line\u23CEBreak.app"));
    EXPECT_EQ(model().index(0).data(Qt::ToolTipRole).toString(), QStringLiteral("/u/Line\u23CEBreak.app"));
    EXPECT_EQ(model().index(2).data().toString(), QStringLiteral("\uFFFDgnp.exe.app"));
    FileListView& list = view.fileList().view();
    const auto row = [&](int index) {
        return list.viewport()->grab(list.visualRect(model().index(index))).toImage();
    };
    EXPECT_EQ(row(0), row(1));
    EXPECT_EQ(row(2), row(3));
    EXPECT_NE(row(0), row(2));
}

// The symbol name, of `candidates`, whose glyph best matches the ink drawn in `row` of `list` between the
// check box and the name, with how well it matches (the share of ink in common, 0 to 1).
std::pair<std::string, double> shownSymbol(FileListView& list, int row,
                                           const std::vector<std::string>& candidates) {
    const QImage image = list.viewport()->grab().toImage();
    const QRect rect = list.visualRect(list.model()->index(row, 0));
    const int from = rect.left() + qRound(FileRowDelegate::kHorizontalPadding + kCheckBoxSide) + 2;
    const QColor background = image.pixelColor(from, rect.top() + 2);
    const auto inked = [&](int x, int y) {
        const QColor pixel = image.pixelColor(x, y);
        return std::abs(pixel.red() - background.red()) + std::abs(pixel.green() - background.green()) +
                   std::abs(pixel.blue() - background.blue()) > 90;
    };
    std::pair<std::string, double> best{"", 0};
    for (const std::string& name : candidates) {
        QImage glyph(20, rect.height(), QImage::Format_ARGB32_Premultiplied);
        glyph.fill(Qt::transparent);
        QPainter painter(&glyph);
        painter.setRenderHint(QPainter::Antialiasing);
        paintSymbol(painter, QRectF(glyph.rect()), name, 15, Qt::black);
        painter.end();
        for (int shift = 0; shift <= 16; ++shift) {
            int both = 0;
            int either = 0;
            for (int y = 0; y < glyph.height(); ++y)
                for (int x = 0; x < glyph.width(); ++x) {
                    const bool drawn = inked(from + shift + x, rect.top() + y);
                    const bool expected = qAlpha(glyph.pixel(x, y)) > 128;
                    both += drawn && expected;
                    either += drawn || expected;
                }
            if (either > 0 && static_cast<double>(both) / either > best.second)
                best = {name, static_cast<double>(both) / either};
        }
    }
    return best;
}

// Application bundles in the list: each row shows the "app" glyph beside its check box (an outlined square
// there would read as a second box), the installer its package, and the header counts the one ticked.
TEST_F(CategoryDetailTest, ApplicationRowsShowTheirGlyphAndTheCount) {
    const CleanableItem ticked =
        makeItem(largeFiles, "/home/ana/Applications/Old Editor.app", 1'240'000'000, false);
    showResult(largeFiles, {ticked, makeItem(largeFiles, "/home/ana/Downloads/Tool.app", 310'000'000, false),
                            makeItem(largeFiles, "/home/ana/Downloads/Installer.pkg", 92'000'000, false)});
    state.toggleItem(ticked);
    const std::vector<std::string> candidates{"app", "square", "shippingbox", "doc", "folder"};
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        test::useScheme(view, scheme);
        show();
        ASSERT_EQ(shownNames(), (std::vector<std::string>{"Old Editor.app", "Tool.app", "Installer.pkg"}));
        EXPECT_EQ(view.fileList().header().text(), "1 of 3 selected");
        FileListView& list = view.fileList().view();
        for (const auto& [row, symbol] : std::vector<std::pair<int, std::string>>{{0, "app"}, {1, "app"}, {2, "shippingbox"}}) {
            const auto [shown, match] = shownSymbol(list, row, candidates);
            EXPECT_EQ(shown, symbol) << "row " << row;
            EXPECT_GT(match, 0.6) << "row " << row;
        }
        test::saveScreenshot(view, QStringLiteral("category-detail-app-rows-") + test::schemeName(scheme));
    }
}

// The screen as the window shows it, with its filter in the toolbar.
TEST(CategoryDetailScreenshots, EveryStateInBothSchemes) {
    test::MainWindowHarness harness;
    AppState& state = harness.state;
    const Date now = harness.fakes.clock->now();
    std::vector<CleanableItem> items;
    const std::vector<std::pair<std::string, std::int64_t>> files{
        {"/home/ana/Movies/Holiday in Lisbon 2023.mov", 4'820'000'000},
        {"/home/ana/Downloads/ubuntu-24.04-desktop-amd64.iso", 6'114'000'000},
        {"/home/ana/Documents/Archive/Photos-backup-2021.zip", 2'300'000'000},
        {"/home/ana/Library/Application Support/Steam/steamapps/common", 1'780'000'000},
        {"/home/ana/Downloads/Installer.pkg", 912'000'000},
        {"/home/ana/Desktop/screen recording.mov", 640'000'000},
        {"/home/ana/Library/Logs/big-trace.log", 310'000'000},
    };
    for (std::size_t index = 0; index < files.size(); ++index) {
        CleanableItem item = makeItem(largeFiles, files[index].first, files[index].second, false);
        if (index % 3 != 2)
            item.lastModified = now - std::chrono::hours(24 * 40 * static_cast<int>(index + 1));
        items.push_back(item);
    }
    const auto storeResult = [&](std::vector<CleanableItem> found) {
        state.setCategoryResults({{largeFiles, makeResult(largeFiles, std::move(found))}});
        processQueuedWork();
    };
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        const QString suffix = QStringLiteral("-") + test::schemeName(scheme);
        MainWindow window(harness.services());
        test::useScheme(window, scheme);
        window.resize(1280, 760);
        window.show();
        window.setSelectedSection(AppSection::cleaning(largeFiles));
        auto& screen = *qobject_cast<CategoryDetailView*>(window.detailScreen());
        state.setCategoryResults({});
        processQueuedWork();
        test::saveScreenshot(window, QStringLiteral("category-detail-not-scanned") + suffix);

        storeResult(items);
        ASSERT_TRUE(waitUntil([&] { return !screen.fileModel().isPreparing(); }));
        state.toggleItem(items[0]);
        state.toggleItem(items[1]);
        state.toggleItem(items[3]);
        test::saveScreenshot(window, QStringLiteral("category-detail-results") + suffix);
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window, static_cast<int>(test::kPatience.count())));
        FileListView& list = screen.fileList().view();
        list.setFocus(Qt::TabFocusReason);
        list.setCurrentIndex(list.model()->index(1, 0));
        test::saveScreenshot(window, QStringLiteral("category-detail-focused-row") + suffix);
        list.clearFocus();
        ActionButton& sort = screen.selectionBar().sortButton();
        const QPoint below = sort.rect().marginsRemoved(KitStyle::overflow(sort)).bottomLeft() + QPoint(0, 4);
        test::useScheme(*sort.menu(), scheme); // a window of its own: the application's palette reaches it
        sort.menu()->popup(sort.mapToGlobal(below));
        processQueuedWork();
        test::saveScreenshotWithPopup(window, *sort.menu(), sort.mapTo(&window, below),
                                      QStringLiteral("category-detail-sort-menu") + suffix);
        sort.menu()->hide();
        screen.searchField().setText("mov");
        ASSERT_TRUE(waitUntil([&] { return screen.fileModel().filterText() == "mov"; }));
        test::saveScreenshot(window, QStringLiteral("category-detail-filtered") + suffix);
        screen.searchField().clear();
        ASSERT_TRUE(waitUntil([&] { return screen.fileModel().filterText().isEmpty(); }));
        screen.selectionBar().cleanButton().click();
        ASSERT_NE(screen.reviewDialog(), nullptr);
        test::useScheme(*screen.reviewDialog(), scheme);
        test::saveScreenshotWithSheet(window, *screen.reviewDialog(), 60, QStringLiteral("category-detail-review") + suffix);
        screen.reviewDialog()->reject();
        processQueuedWork();
        state.deselectAllInCategory(largeFiles);

        storeResult({});
        test::saveScreenshot(window, QStringLiteral("category-detail-nothing-found") + suffix);
    }
}

} // namespace
} // namespace zn
