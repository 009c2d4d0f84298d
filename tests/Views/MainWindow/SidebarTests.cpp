#include "Platform/core/ByteCountFormatter.h"
#include "ViewModels/AppState.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/MainWindow/HealthFooter.h"
#include "Views/MainWindow/PulsingDot.h"
#include "Views/MainWindow/Sidebar.h"
#include "Views/MainWindow/SidebarBadges.h"
#include "Views/MainWindow/SidebarRow.h"
#include "appsupport/MainWindowHarness.h"
#include "appsupport/Screenshots.h"

#include <QTest>
#include <gtest/gtest.h>

namespace zn {
namespace {

using enum CleaningCategory;
using test::makeItem;
using test::makeResult;

TEST(SidebarBadges, SayOnlyWhatThereIsToSay) {
    EXPECT_EQ(dashboardBadge(0), std::nullopt);
    EXPECT_EQ(dashboardBadge(1536), QString::fromStdString(formatByteCount(1536)));

    EXPECT_EQ(countBadge(0), std::nullopt);
    EXPECT_EQ(countBadge(1234), "1234");

    std::map<CleaningCategory, CategoryResult> results{
        {trashBins, makeResult(trashBins, {})},
        {largeFiles, makeResult(largeFiles, {makeItem(largeFiles, "/u/a.mov", 1536, false)})},
    };
    EXPECT_EQ(sizeBadge(results, systemJunk), std::nullopt); // never scanned
    EXPECT_EQ(sizeBadge(results, trashBins), std::nullopt);  // scanned, nothing found
    EXPECT_EQ(sizeBadge(results, largeFiles), QString::fromStdString(formatByteCount(1536)));
}

class SidebarTest : public ::testing::Test {
protected:
    test::MainWindowHarness harness;
    AppState& state = harness.state;
    Sidebar sidebar{state, *harness.permission};

    SidebarRow& row(const AppSection& section) { return sidebar.row(section); }
};

TEST_F(SidebarTest, RowsComeInTheirGroupsWithLiveBadges) {
    std::vector<std::string> labels;
    for (SidebarRow* shown : sidebar.rows())
        labels.push_back(shown->text().toStdString());
    EXPECT_EQ(labels, (std::vector<std::string>{"Quick Clean", "Uninstall Apps", "Old App Leftovers", "Mac Cleanup",
                                                "App Cleanup", "Mac-managed Space", "Browser Privacy",
                                                "Mail Downloads", "Trash", "Large Files", "AI App Files",
                                                "Coding App Files", "Coding Downloads", "Web Coding Files",
                                                "Docker Files"}));
    for (SidebarRow* shown : sidebar.rows())
        EXPECT_EQ(shown->badge(), std::nullopt);

    state.setInstalledApps(std::vector<InstalledApp>(1234));
    EXPECT_EQ(row(AppSection::apps()).badge(), "1234");
    state.setOrphanedFiles({});
    EXPECT_EQ(row(AppSection::orphans()).badge(), std::nullopt);
    state.setOrphanedFiles({"/u/Library/Preferences/com.gone.plist"});
    EXPECT_EQ(row(AppSection::orphans()).badge(), "1");

    state.setCategoryResults({{trashBins, makeResult(trashBins, {})},
                              {largeFiles, makeResult(largeFiles, {makeItem(largeFiles, "/u/a.mov", 1536, false)})}});
    state.setTotalJunkSize(1536);
    EXPECT_EQ(row(AppSection::cleaning(trashBins)).badge(), std::nullopt);
    EXPECT_EQ(row(AppSection::cleaning(largeFiles)).badge(), QString::fromStdString(formatByteCount(1536)));
    EXPECT_EQ(row(AppSection::cleaning(smartScan)).badge(), QString::fromStdString(formatByteCount(1536)));
}

TEST_F(SidebarTest, AClickAsksForItsSectionAndTheSelectedRowTakesTheAccent) {
    std::vector<AppSection> chosen;
    QObject::connect(&sidebar, &Sidebar::sectionChosen, [&](const AppSection& section) { chosen.push_back(section); });
    sidebar.resize(340, 900);
    sidebar.show();
    test::processQueuedWork();
    SidebarRow& orphans = row(AppSection::orphans());
    // The badge and the empty room beside the label belong to the row too.
    QTest::mouseClick(&orphans, Qt::LeftButton, {}, QPoint(orphans.width() - 12, orphans.height() / 2));
    EXPECT_EQ(chosen, std::vector<AppSection>{AppSection::orphans()});

    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        test::useScheme(sidebar, scheme);
        sidebar.setSelection(AppSection::cleaning(largeFiles));
        EXPECT_FALSE(orphans.isSelected());
        EXPECT_EQ(orphans.iconColor(), qColor(scheme == ColorScheme::dark ? Tint::darkGold : Tint::blue));
        sidebar.setSelection(AppSection::orphans());
        EXPECT_TRUE(orphans.isSelected());
        EXPECT_FALSE(row(AppSection::cleaning(largeFiles)).isSelected());
        EXPECT_EQ(orphans.iconColor(), schemeAccent(scheme));
    }
}

TEST_F(SidebarTest, TheFooterFollowsAccess) {
    HealthFooter& footer = sidebar.footer();
    EXPECT_EQ(footer.title().text(), "Ready to clean");
    EXPECT_EQ(footer.subtitle().text(), "Access allowed");
    EXPECT_TRUE(footer.fixButton().isHidden());
    EXPECT_FALSE(footer.dot().isPulsing());
    EXPECT_EQ(footer.dot().tintColor(), qColor(Tint::green));

    state.setHasFullDiskAccess(false);
    EXPECT_EQ(footer.title().text(), "Limited access");
    EXPECT_EQ(footer.subtitle().text(), "Allow access in Settings");
    EXPECT_FALSE(footer.fixButton().isHidden());
    EXPECT_EQ(footer.fixButton().toolTip(), "Fix permission");
    EXPECT_TRUE(footer.dot().isPulsing());
    test::useScheme(sidebar, ColorScheme::light);
    EXPECT_EQ(footer.dot().tintColor(), qColor(Tint::blue));
    test::useScheme(sidebar, ColorScheme::dark);
    EXPECT_EQ(footer.dot().tintColor(), qColor(Tint::darkGold));

    footer.fixButton().click();
    EXPECT_TRUE(harness.permission->isRequesting());
    EXPECT_EQ(harness.permission->context(), PermissionPromptContext::general());
    harness.permission->dismiss(false);
}

// Right after launch the footer shows access granted; the first probe then reports it missing while the
// dot is already on screen. The ring starts then too.
TEST_F(SidebarTest, TheRingStartsWhenPulsingBeginsOnScreen) {
    Motion::setEnabled(true);
    sidebar.resize(340, 900);
    sidebar.show();
    test::processQueuedWork();
    PulsingDot& dot = sidebar.footer().dot();
    EXPECT_FALSE(dot.isRingRunning());
    state.setHasFullDiskAccess(false);
    EXPECT_TRUE(dot.isRingRunning());
    state.setHasFullDiskAccess(true);
    EXPECT_FALSE(dot.isRingRunning());
    sidebar.hide();
    state.setHasFullDiskAccess(false);
    EXPECT_FALSE(dot.isRingRunning());
    sidebar.show();
    EXPECT_TRUE(dot.isRingRunning());
    Motion::setEnabled(false);
}

} // namespace
} // namespace zn
