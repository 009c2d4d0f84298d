#include "Views/Dashboard/CategoryToggleRow.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/ScanningGauge.h"
#include "Views/Dashboard/StorageBreakdown.h"
#include "Views/Dashboard/StorageGauge.h"
#include "appsupport/AppStateHarness.h"

#include <QTest>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;

TEST(StorageGaugeTest, ShowsTheFractionLimitedAndRounded) {
    StorageGauge gauge;
    const auto show = [&](double fraction) {
        gauge.setPercentUsed(fraction);
        return gauge.percentText();
    };
    EXPECT_EQ(show(1.4), "100%");
    EXPECT_DOUBLE_EQ(gauge.clampedFraction(), 1);
    EXPECT_EQ(show(-0.2), "0%");
    EXPECT_DOUBLE_EQ(gauge.clampedFraction(), 0);
    EXPECT_EQ(show(0.625), "63%");
    EXPECT_EQ(show(0.005), "1%");
    EXPECT_EQ(show(0.004), "0%");

    show(0.85);
    EXPECT_FALSE(gauge.showsWarning());
    show(0.851);
    EXPECT_TRUE(gauge.showsWarning());
}

TEST(ScanningGaugeTest, ClampsTheArcButNotTheNumber) {
    ScanningGauge gauge(QColor(Qt::blue), QStringLiteral("SCANNING"));
    const auto show = [&](double progress) {
        gauge.setProgress(progress);
        return std::pair(gauge.arcFraction(), gauge.percentText());
    };
    EXPECT_EQ(show(0), std::pair(0.05, QStringLiteral("0%")));
    EXPECT_EQ(show(0.03), std::pair(0.05, QStringLiteral("3%")));
    EXPECT_EQ(show(0.257), std::pair(0.257, QStringLiteral("25%")));
    EXPECT_EQ(show(0.999), std::pair(0.95, QStringLiteral("99%")));
    EXPECT_EQ(show(1), std::pair(0.95, QStringLiteral("100%")));
    // With motion off the arc stands still.
    EXPECT_EQ(gauge.spin(), 0);
}

TEST(StorageBreakdownTest, FoundPartIsCappedHasAMinimumWidthAndEndsWithTheUsedPart) {
    constexpr std::int64_t total = 1'000'000;
    // More than 40 percent of the disk found: 40 percent of the bar.
    auto parts = StorageBreakdown::segments(500, 800'000, total, 600'000);
    EXPECT_DOUBLE_EQ(parts.usedWidth, 400);
    EXPECT_DOUBLE_EQ(parts.foundWidth, 200);
    EXPECT_DOUBLE_EQ(parts.foundLeft, 200);
    // A few bytes: 8 points wide, from where it would have started.
    parts = StorageBreakdown::segments(500, 500'000, total, 10);
    EXPECT_DOUBLE_EQ(parts.foundWidth, 8);
    EXPECT_NEAR(parts.foundLeft, 250, 0.01);
    // Nothing found, or a disk of size 0: no found part.
    EXPECT_EQ(StorageBreakdown::segments(500, 500'000, total, 0).foundWidth, 0);
    parts = StorageBreakdown::segments(500, 10, 0, 10);
    EXPECT_EQ(parts.usedWidth, 0);
    EXPECT_EQ(parts.foundWidth, 0);
}

TEST(StorageBreakdownTest, LegendListsOnlyWhatIsThere) {
    StorageBreakdown breakdown;
    breakdown.setFigures(500, 1000, 0, 0);
    EXPECT_EQ(breakdown.legendLabels(), (std::vector<QString>{"Used"}));
    breakdown.setFigures(857, 1000, 5, 7);
    EXPECT_EQ(breakdown.legendLabels(), (std::vector<QString>{"Used", "Found", "Purgeable"}));
    // The same figure as the gauge's, rounded the same way.
    EXPECT_EQ(breakdown.percentText(), "86% used");
    breakdown.setFigures(0, 0, 0, 0);
    EXPECT_EQ(breakdown.percentText(), "0% used");
}

TEST(DashboardFormatTest, ProgressTextsTruncateAndDiskTextsRound) {
    EXPECT_EQ(dashboard::scanProgressText(0), "Starting scan...");
    EXPECT_EQ(dashboard::scanProgressText(0.42), "42% done");
    EXPECT_EQ(dashboard::percentCompleteText(0), "0% complete");
    EXPECT_EQ(dashboard::percentCompleteText(0.999), "99% complete");
    EXPECT_EQ(dashboard::truncatedPercent(std::nan("")), 0);
    EXPECT_EQ(dashboard::freeSpaceDelta(1'000'000'000, 0.857), "of 1 GB · 86% used");
    EXPECT_EQ(dashboard::reviewSelectedLabel(true, 2'500'000), "Review 2.5 MB");
    EXPECT_EQ(dashboard::reviewSelectedLabel(false, 2'500'000), "Clean 2.5 MB now");
    EXPECT_EQ(dashboard::currentlyInText("Mac Cleanup"), "Checking: Mac Cleanup");
    EXPECT_EQ(dashboard::itemsCountText(3), "3 items");

    EXPECT_EQ(dashboard::percentUsed(DiskInfo{}), 0);
    EXPECT_EQ(dashboard::percentNotFree(DiskInfo{}), 0);
    EXPECT_FALSE(dashboard::isLowSpace(0.85));
    EXPECT_TRUE(dashboard::isLowSpace(0.8500001));
}

class CategoryToggleRowTest : public ::testing::Test {
protected:
    void store(CategoryResult result) {
        state.setCategoryResults({{result.category, result}});
        row = std::make_unique<CategoryToggleRow>(state, result);
        row->resize(400, 48);
        row->show();
    }

    test::AppStateHarness harness;
    AppState& state = harness.makeState();
    std::unique_ptr<CategoryToggleRow> row;
};

TEST_F(CategoryToggleRowTest, ChecksOnlyAFullySelectedCategoryAndTogglesAllOfIt) {
    std::vector<CleanableItem> files;
    for (const char* name : {"/u/a.mov", "/u/b.mov", "/u/c.mov"})
        files.push_back(test::makeItem(largeFiles, name, 100, false));
    store(test::makeResult(largeFiles, files));
    EXPECT_EQ(row->itemsCountText(), "3 items");
    EXPECT_FALSE(row->isAllSelected());
    QTest::mouseClick(row.get(), Qt::LeftButton);
    EXPECT_EQ(state.selectedCountInCategory(largeFiles), 3);
    EXPECT_TRUE(row->isAllSelected());

    // Two of three: an empty box, and a click selects the third.
    state.toggleItem(files[2]);
    EXPECT_FALSE(row->isAllSelected());
    QTest::mouseClick(row.get(), Qt::LeftButton);
    EXPECT_EQ(state.selectedCountInCategory(largeFiles), 3);

    // All selected: a click clears them all.
    QTest::mouseClick(row.get(), Qt::LeftButton);
    EXPECT_EQ(state.selectedCountInCategory(largeFiles), 0);
}

TEST_F(CategoryToggleRowTest, ACategoryWithoutItemsShowsChecked) {
    store(test::makeResult(trashBins, {}));
    EXPECT_TRUE(row->isAllSelected());
    QTest::mouseClick(row.get(), Qt::LeftButton);
    EXPECT_TRUE(row->isAllSelected());
    EXPECT_EQ(row->itemsCountText(), "0 items");
}

} // namespace
} // namespace zn
