#include "Views/Dashboard/CategoryToggleRow.h"
#include "Views/Dashboard/CleanedLayout.h"
#include "Views/Dashboard/CleaningLayout.h"
#include "Views/Dashboard/CompletedHero.h"
#include "Views/Dashboard/CompletedLayout.h"
#include "Views/Dashboard/DashboardTestSupport.h"
#include "Views/Dashboard/IdleHero.h"
#include "Views/Dashboard/IdleLayout.h"
#include "Views/Dashboard/LiveResultRow.h"
#include "Views/Dashboard/SafetyGroupCard.h"
#include "Views/Dashboard/ScanningGauge.h"
#include "Views/Dashboard/ScanningLayout.h"
#include "Views/Dashboard/StatCard.h"
#include "Views/Dashboard/StorageBreakdown.h"
#include "Views/Dashboard/StorageGauge.h"
#include "Views/Dashboard/SuggestionRow.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Feedback/LinearProgressBar.h"
#include "Views/Kit/Labels/NumericTextLabel.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/AppTheme.h"
#include "Views/Kit/Theme/KitStyle.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

namespace zn {
namespace {

using namespace std::chrono_literals;
using enum CleaningCategory;
using Kind = ScanState::Kind;

class DashboardViewTest : public test::DashboardTest {
protected:
    IdleHero& idleHero() { return view->idleLayout().hero(); }
    CompletedHero& completedHero() { return view->completedLayout().hero(); }
    void complete(std::vector<CategoryResult> results) {
        setResults(std::move(results));
        state.setScanState(ScanState::completed());
        settle();
    }
};

TEST_F(DashboardViewTest, ShowsOneLayoutPerScanState) {
    settle();
    EXPECT_EQ(view->currentLayout(), &view->idleLayout());
    state.setScanState(ScanState::scanning(0.1, "Mac Cleanup"));
    settle();
    EXPECT_EQ(view->currentLayout(), &view->scanningLayout());
    EXPECT_TRUE(view->idleLayout().isHidden());
    state.setScanState(ScanState::completed());
    settle();
    EXPECT_EQ(view->currentLayout(), &view->completedLayout());
    state.setScanState(ScanState::cleaning(0));
    settle();
    EXPECT_EQ(view->currentLayout(), &view->cleaningLayout());
    state.setScanState(ScanState::cleaned());
    settle();
    EXPECT_EQ(view->currentLayout(), &view->cleanedLayout());
}

TEST_F(DashboardViewTest, LowSpaceStartsJustAboveEightyFivePercent) {
    setDisk(1000, 850);
    settle();
    EXPECT_FALSE(idleHero().showsLowSpace());
    EXPECT_FALSE(idleHero().gauge().showsWarning());
    setDisk(1000, 851);
    settle();
    EXPECT_TRUE(idleHero().showsLowSpace());
    EXPECT_TRUE(idleHero().gauge().showsWarning());
}

TEST_F(DashboardViewTest, TheDiskPercentageReadsTheSameEverywhere) {
    setDisk(1000, 857);
    settle();
    EXPECT_EQ(idleHero().gauge().percentText(), "86%");
    EXPECT_EQ(idleHero().breakdown().percentText(), "86% used");
    EXPECT_EQ(view->idleLayout().statCard(0).delta(), "of 1 KB · 86% used");
    EXPECT_EQ(idleHero().freeText(), "143 bytes");
    EXPECT_EQ(idleHero().freeOfText(), "free of 1 KB");
}

TEST_F(DashboardViewTest, TheHeroAndTheFreeSpaceCardKeepTheirOwnFractions) {
    // A volume whose used and free space do not add up to its size (space kept back for the system).
    state.setDiskInfo({1000, 100, 850, 0});
    settle();
    EXPECT_EQ(idleHero().gauge().percentText(), "85%");
    EXPECT_FALSE(idleHero().showsLowSpace());
    EXPECT_EQ(view->idleLayout().statCard(0).delta(), "of 1 KB · 90% used");
}

TEST_F(DashboardViewTest, StatisticsBeforeAndAfterAScan) {
    setDisk(0, 0);
    settle();
    const auto card = [&](std::size_t index) -> StatCard& { return view->idleLayout().statCard(index); };
    EXPECT_EQ(card(0).delta(), std::nullopt);
    EXPECT_EQ(idleHero().gauge().percentText(), "0%");
    EXPECT_EQ(card(1).value(), "—");
    EXPECT_EQ(card(1).delta(), "Start with a scan");
    EXPECT_EQ(card(2).value(), "0");
    EXPECT_EQ(card(3).value(), "—");

    setDisk(500'000'000'000, 200'000'000'000, 3'000'000'000);
    setResults({resultOf(systemJunk, 2, 1'000'000, true), resultOf(trashBins, 1, 500'000, false)});
    state.setInstalledApps(std::vector<InstalledApp>(3));
    settle();
    EXPECT_EQ(card(1).value(), "2.5 MB");
    EXPECT_EQ(card(1).delta(), "across 2 categories");
    EXPECT_EQ(card(2).value(), "3");
    EXPECT_EQ(card(3).value(), "3 GB");
    EXPECT_EQ(idleHero().breakdown().legendLabels(), (std::vector<QString>{"Used", "Found", "Purgeable"}));
}

TEST_F(DashboardViewTest, SuggestsTheLargestCategoryThenAccess) {
    // Equal largest totals: the earlier category in the results' order wins.
    setResults({resultOf(trashBins, 1, 4'000, false), resultOf(userCache, 2, 2'000, true)});
    settle();
    auto rows = view->idleLayout().suggestionRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]->suggestion().title, "App Cleanup is using 4 KB");
    EXPECT_EQ(rows[0]->suggestion().pill, "4 KB");

    state.setHasFullDiskAccess(false);
    settle();
    rows = view->idleLayout().suggestionRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1]->suggestion().title, "Allow access for browser privacy cleanup");
    EXPECT_EQ(rows[1]->suggestion().pill, "Action");

    setResults({});
    state.setHasFullDiskAccess(true);
    settle();
    EXPECT_TRUE(view->idleLayout().suggestionRows().empty());
    EXPECT_FALSE(view->idleLayout().showsSuggestionsHeader());
}

TEST_F(DashboardViewTest, ScanningShowsProgressAndAtMostEightCategories) {
    state.setScanProgress(0);
    state.setScanState(ScanState::scanning(0, "Getting ready"));
    state.setCurrentScanCategory("Getting ready");
    settle();
    ScanningLayout& scanning = view->scanningLayout();
    EXPECT_EQ(scanning.progressText(), "Starting scan...");
    EXPECT_EQ(scanning.progressBar().value(), std::nullopt);
    EXPECT_EQ(scanning.currentlyInText(), "Checking: Getting ready");
    EXPECT_FALSE(scanning.showsLiveResults());

    state.setScanProgress(0.257);
    setResults({resultOf(systemJunk, 1, 10, true)});
    settle();
    EXPECT_EQ(scanning.progressText(), "25% done");
    EXPECT_EQ(scanning.progressBar().value(), 0.257);
    EXPECT_EQ(scanning.gauge().percentText(), "25%");
    ASSERT_EQ(scanning.liveRows().size(), 1u);
    EXPECT_FALSE(scanning.liveRows()[0]->showsDivider());

    std::vector<CategoryResult> ten;
    for (CleaningCategory category : {systemJunk, userCache, purgeableSpace, privacySweep, mailAttachments,
                                      trashBins, largeFiles, aiApps, xcodeJunk, brewCache})
        ten.push_back(resultOf(category, 1, 10, false));
    setResults(ten);
    settle();
    const auto rows = scanning.liveRows();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0]->category(), systemJunk);
    EXPECT_EQ(rows[7]->category(), aiApps);
    for (std::size_t index = 0; index < 7; ++index)
        EXPECT_TRUE(rows[index]->showsDivider());
    EXPECT_FALSE(rows[7]->showsDivider());
}

TEST_F(DashboardViewTest, NothingFoundIsSpotless) {
    complete({});
    EXPECT_TRUE(completedHero().showsSpotless());
    EXPECT_FALSE(completedHero().cleanButton().isVisibleTo(view.get()));
    EXPECT_TRUE(completedHero().scanAgainButton().isVisibleTo(view.get()));
    EXPECT_FALSE(view->completedLayout().showsResults());
}

// The lowest row of the first glyph's ink in `area` (the glyph stands on its baseline there). Ink is what
// differs from the area's background by more than half the strongest contrast in it.
int firstGlyphBottom(const QImage& image, const QRect& area) {
    const QRgb background = image.pixel(area.topLeft());
    const auto contrast = [&](int x, int y) {
        const QRgb pixel = image.pixel(x, y);
        return std::abs(qRed(pixel) - qRed(background)) + std::abs(qGreen(pixel) - qGreen(background)) +
               std::abs(qBlue(pixel) - qBlue(background));
    };
    int strongest = 0;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            strongest = std::max(strongest, contrast(x, y));
    int bottom = -1;
    bool inGlyph = false;
    for (int x = area.left(); x <= area.right(); ++x) {
        int columnBottom = -1;
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (2 * contrast(x, y) > strongest)
                columnBottom = y;
        if (columnBottom < 0 && inGlyph)
            break;
        inGlyph = inGlyph || columnBottom >= 0;
        bottom = std::max(bottom, columnBottom);
    }
    return bottom;
}

TEST_F(DashboardViewTest, ScanAgainStandsOnTheFirstBaselineOfTheRow) {
    // Where the first glyph of a text drawn in `widget` (inside its `inset`) stands in the hero's picture.
    const auto glyphBottom = [this](const QImage& image, const QWidget& widget, QMargins inset = {}) {
        const QRect area = widget.rect().marginsRemoved(inset);
        return firstGlyphBottom(image, area.translated(widget.mapTo(&completedHero(), QPoint(0, 0))));
    };
    ActionButton& scanAgain = completedHero().scanAgainButton();
    const QMargins scanAgainInset = KitStyle::overflow(scanAgain) + QMargins(4, 2, 4, 2);

    complete({resultOf(systemJunk, 2, 3'500'000'000, true)});
    QImage image = completedHero().grab().toImage();
    const int amount = glyphBottom(image, *completedHero().findChild<NumericTextLabel*>());
    EXPECT_GT(amount, 0);
    EXPECT_NEAR(glyphBottom(image, scanAgain, scanAgainInset), amount, 1);

    complete({});
    image = completedHero().grab().toImage();
    const auto labels = completedHero().findChildren<TextLabel*>();
    const auto title = std::find_if(labels.begin(), labels.end(), [](TextLabel* label) {
        return label->text() == "Your Mac looks spotless";
    });
    ASSERT_NE(title, labels.end());
    EXPECT_NEAR(glyphBottom(image, scanAgain, scanAgainInset), glyphBottom(image, **title), 1);
}

TEST_F(DashboardViewTest, SafeSelectionCleansAtOnce) {
    complete({resultOf(systemJunk, 2, 1'000, true), resultOf(largeFiles, 1, 9'000, false)});
    EXPECT_EQ(completedHero().foundText(), "11 KB");
    EXPECT_EQ(completedHero().foundNote(), "ready to clean");
    EXPECT_EQ(completedHero().selectionNote(), "No documents, photos, bookmarks, or passwords are selected.");
    EXPECT_EQ(completedHero().cleanButton().text(), "Clean 2 KB now");
    completedHero().cleanButton().click();
    EXPECT_TRUE(inState(Kind::cleaning));
    EXPECT_EQ(view->reviewDialog(), nullptr);
}

TEST_F(DashboardViewTest, EmptySelectionHidesTheCleanButton) {
    complete({resultOf(largeFiles, 1, 9'000, false)});
    EXPECT_EQ(completedHero().foundNote(), "ready to clean");
    EXPECT_FALSE(completedHero().cleanButton().isVisibleTo(view.get()));
    EXPECT_EQ(completedHero().selectionNote(), "No documents, photos, bookmarks, or passwords are selected.");
}

TEST_F(DashboardViewTest, ItemsToReviewOpenTheDialogFirst) {
    complete({resultOf(systemJunk, 1, 1'000, true), resultOf(largeFiles, 1, 9'000, false)});
    state.selectAllInCategory(largeFiles);
    settle();
    EXPECT_EQ(completedHero().foundNote(), "found");
    EXPECT_EQ(completedHero().selectionNote(), "You picked items that should be reviewed first.");
    EXPECT_EQ(completedHero().cleanButton().text(), "Review 10 KB");

    completedHero().cleanButton().click();
    AlertDialog* dialog = view->reviewDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(inState(Kind::completed));
    EXPECT_EQ(dialog->title(), "Review before cleaning 10 KB");
    ASSERT_EQ(dialog->buttons().size(), 2u);
    EXPECT_EQ(dialog->buttons()[0]->text(), "Clean selected items");
    EXPECT_EQ(dialog->message(),
              "Some selected items may be personal or tied to coding tools. Review them before cleaning.");
    dialog->buttons()[1]->click();
    settle();
    EXPECT_EQ(view->reviewDialog(), nullptr);
    EXPECT_TRUE(inState(Kind::completed));

    completedHero().cleanButton().click();
    view->reviewDialog()->buttons()[0]->click();
    EXPECT_TRUE(inState(Kind::cleaning));
    ASSERT_TRUE(test::waitUntil([&] { return inState(Kind::cleaned); }));
    EXPECT_EQ(harness.cleaner->cleanCalls().back().size(), 2u);
}

TEST_F(DashboardViewTest, TheReviewQuestionIsDecidedAtTheClick) {
    complete({resultOf(systemJunk, 1, 1'000, true), resultOf(largeFiles, 1, 9'000, false)});
    EXPECT_EQ(completedHero().cleanButton().text(), "Clean 1 KB now");
    // The selection changes and the click comes before the dashboard redraws.
    state.selectAllInCategory(largeFiles);
    completedHero().cleanButton().click();
    EXPECT_NE(view->reviewDialog(), nullptr);
    EXPECT_TRUE(inState(Kind::completed));
    view->reviewDialog()->reject();
}

TEST_F(DashboardViewTest, TheReviewQuestionCleansNothingUnlessConfirmed) {
    complete({resultOf(systemJunk, 1, 1'000, true), resultOf(largeFiles, 1, 9'000, true)});
    const auto ask = [&] {
        completedHero().cleanButton().click();
        return view->reviewDialog();
    };
    AlertDialog* dialog = ask();
    ASSERT_NE(dialog, nullptr);
    QTest::keyClick(dialog, Qt::Key_Escape);
    settle();
    EXPECT_EQ(view->reviewDialog(), nullptr);
    EXPECT_TRUE(inState(Kind::completed));

    // The selection it asks about changes while it is open: results refilled in place (as a scheduled run
    // does), or a scan started from elsewhere. The question goes away unanswered.
    ASSERT_NE(ask(), nullptr);
    state.setCategoryResults({});
    settle();
    EXPECT_EQ(view->reviewDialog(), nullptr);

    complete({resultOf(largeFiles, 1, 9'000, true)});
    ASSERT_NE(ask(), nullptr);
    harness.scanner->gate(systemJunk).close();
    state.startSmartScan();
    settle();
    EXPECT_EQ(view->reviewDialog(), nullptr);
    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(test::waitUntil([&] { return inState(Kind::completed); }));
    EXPECT_TRUE(harness.cleaner->cleanCalls().empty());
}

TEST_F(DashboardViewTest, ResultsAreGroupedBySafety) {
    complete({resultOf(trashBins, 1, 10, false), resultOf(largeFiles, 2, 10, false)});
    CompletedLayout& completed = view->completedLayout();
    EXPECT_TRUE(completed.showsResults());
    EXPECT_TRUE(completed.groupCard(0).isHidden());
    EXPECT_FALSE(completed.groupCard(1).isHidden());
    EXPECT_TRUE(completed.groupCard(2).isHidden());
    const auto rows = completed.groupCard(1).rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]->category(), trashBins);
    EXPECT_TRUE(rows[0]->showsDivider());
    EXPECT_FALSE(rows[1]->showsDivider());

    // A click on a row changes the selection and the totals follow; the rows stay (they are refilled, not
    // rebuilt, so nothing is deleted under the click).
    QPointer<CategoryToggleRow> clicked = rows[1];
    QTest::mouseClick(rows[1], Qt::LeftButton);
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(clicked.isNull());
    EXPECT_TRUE(clicked->isAllSelected());
    EXPECT_EQ(state.selectedCountInCategory(largeFiles), 2);
    EXPECT_EQ(completedHero().cleanButton().text(), "Review 20 bytes");
}

TEST_F(DashboardViewTest, LayoutsLiveAsLongAsTheDashboard) {
    setResults({resultOf(systemJunk, 1, 10, true)});
    settle();
    QPointer<SuggestionRow> suggestion = view->idleLayout().suggestionRows().front();
    state.setScanState(ScanState::scanning(0.5, "Mac Cleanup"));
    settle();
    state.setScanState(ScanState::idle());
    settle();
    EXPECT_FALSE(suggestion.isNull());
    EXPECT_EQ(view->idleLayout().suggestionRows().front(), suggestion.data());
}

TEST_F(DashboardViewTest, CleaningAndCleanedFollowTheClean) {
    state.setCleanProgress(0.5);
    state.setScanState(ScanState::cleaning(0.5));
    settle();
    EXPECT_EQ(view->cleaningLayout().percentCompleteText(), "50% complete");
    EXPECT_EQ(view->cleaningLayout().gauge().percentText(), "50%");
    EXPECT_EQ(view->cleaningLayout().gauge().label(), "CLEANING");

    state.setScanState(ScanState::cleaned());
    settle();
    EXPECT_EQ(view->cleanedLayout().freedText(), "Zero KB");
    view->cleanedLayout().doneButton().click();
    EXPECT_TRUE(inState(Kind::idle));
}

TEST_F(DashboardViewTest, ConfettiOnlyForACleanThatFreedSpace) {
    int bursts = 0;
    QObject::connect(&view->confetti(), &ConfettiView::burstStarted, [&] { ++bursts; });
    // A dashboard that first appears after a clean does not celebrate it.
    state.setTotalFreedSpace(0);
    state.setScanState(ScanState::cleaned());
    EXPECT_EQ(bursts, 0);

    const auto clean = [&](bool removable) {
        CategoryResult result = resultOf(systemJunk, 1, 5'000, true);
        harness.cleaner->setFate(result.items[0].path, removable ? test::FakeCleaningService::Fate::removed
                                                                 : test::FakeCleaningService::Fate::failed);
        complete({result});
        state.cleanAll();
        ASSERT_TRUE(test::waitUntil([&] { return inState(Kind::cleaned); }));
        settle();
    };
    clean(false);
    EXPECT_EQ(state.totalFreedSpace(), 0);
    EXPECT_EQ(bursts, 0);
    harness.clock->advance(3s);
    clean(true);
    EXPECT_EQ(bursts, 1);
    harness.clock->advance(3s);
    clean(true);
    EXPECT_EQ(bursts, 2);
}

TEST_F(DashboardViewTest, ANewScanRightAfterDoneIsLeftAlone) {
    complete({resultOf(systemJunk, 1, 5'000, true)});
    completedHero().cleanButton().click();
    ASSERT_TRUE(test::waitUntil([&] { return inState(Kind::cleaned); }));
    settle();
    view->cleanedLayout().doneButton().click();
    settle();
    // A scan started at once stays on screen past the moment the clean would have returned to idle.
    harness.scanner->gate(systemJunk).close();
    idleHero().scanButton().click();
    settle();
    EXPECT_EQ(view->currentLayout(), &view->scanningLayout());
    harness.clock->advance(3500ms);
    settle();
    EXPECT_TRUE(inState(Kind::scanning));
    EXPECT_EQ(view->currentLayout(), &view->scanningLayout());
    harness.scanner->gate(systemJunk).open();
    ASSERT_TRUE(test::waitUntil([&] { return inState(Kind::completed); }));
}

TEST_F(DashboardViewTest, TintsFollowTheApplicationsScheme) {
    complete({resultOf(systemJunk, 1, 1'000, true)});
    const auto scanAgainTint = [&] {
        return std::get<PrimaryActionButtonStyle>(completedHero().scanAgainButton().buttonStyle()).tint;
    };
    EXPECT_EQ(scanAgainTint(), qColor(Tint::blue));
    QApplication::setPalette(AppTheme::palette(ColorScheme::dark));
    settle();
    EXPECT_EQ(scanAgainTint(), qColor(Tint::green));
    QApplication::setPalette(AppTheme::palette(ColorScheme::light));
    settle();
    EXPECT_EQ(scanAgainTint(), qColor(Tint::blue));
}

TEST_F(DashboardViewTest, ScanButtonsStartASmartScan) {
    settle();
    EXPECT_EQ(idleHero().scanButton().toolTip(), "Scan your Mac");
    EXPECT_EQ(idleHero().scanButton().accessibleName(), "Scan my Mac");
    idleHero().scanButton().click();
    ASSERT_TRUE(test::waitUntil([&] { return inState(Kind::completed); }));
    settle();
    completedHero().scanAgainButton().click();
    EXPECT_TRUE(inState(Kind::scanning));
    ASSERT_TRUE(test::waitUntil([&] { return inState(Kind::completed); }));
}

} // namespace
} // namespace zn
