#include "Views/Apps/AppFilesView.h"
#include "Views/Apps/InstalledAppsFilter.h"
#include "Views/Apps/InstalledAppsModel.h"
#include "Views/Apps/UninstallerFixture.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Lists/FileChecklist.h"
#include "appsupport/Screenshots.h"

#include <QHeaderView>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::processQueuedWork;
using test::waitUntil;

class AppListViewTest : public ::testing::Test, public test::UninstallerFixture {
protected:
    std::vector<std::string> shownNames() const {
        std::vector<std::string> names;
        for (int row = 0; row < view->rows().rowCount(); ++row)
            names.push_back(view->rows().index(row, 0).data().toString().toStdString());
        return names;
    }
    void search(const QString& text) {
        view->searchField().setText(text);
        processQueuedWork();
    }
    void choose(const std::string& name) {
        for (int row = 0; row < view->rows().rowCount(); ++row)
            if (view->rows().index(row, 0).data().toString().toStdString() == name)
                view->table().selectRow(row);
        processQueuedWork();
    }
};

TEST_F(AppListViewTest, SearchMatchesNamesOrBundleIdentifiersIgnoringCaseAndABlankIsAText) {
    addApp("Visual Studio Code", "com.microsoft.VSCode", 500);
    addApp("Slack", "com.tinyspeck.slackmacgap", 400);
    addApp("Zoom", "us.zoom.xos", 300);
    addApp("iMovie", "com.apple.iMovieApp", 200);

    EXPECT_EQ(shownNames(), (std::vector<std::string>{"Slack", "Visual Studio Code", "Zoom", "iMovie"}));
    search(" ");
    EXPECT_EQ(shownNames(), std::vector<std::string>{"Visual Studio Code"});
    search("COM.MICROSOFT");
    EXPECT_EQ(shownNames(), std::vector<std::string>{"Visual Studio Code"});
    search("sLaCk");
    EXPECT_EQ(shownNames(), std::vector<std::string>{"Slack"});
    search("us.zoom");
    EXPECT_EQ(shownNames(), std::vector<std::string>{"Zoom"});
    // Nothing matches: an empty table, not the empty state; the title counts every application.
    search("nothing like it");
    EXPECT_TRUE(shownNames().empty());
    EXPECT_EQ(view->appPane().currentWidget(), &view->table());
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Uninstall Apps (4)"));
    search("");
    EXPECT_EQ(shownNames().size(), 4u);
}

TEST_F(AppListViewTest, NamesSortAsPlainCaseSensitiveTextAndSizesByTheirBytes) {
    addApp("beta", "org.example.beta", 900);
    addApp("Alpha", "org.example.alpha", 10'000);
    addApp("Zed", "org.example.zed", 2'000'000);
    addApp("Mid", "org.example.mid", 150'000);
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"Alpha", "Mid", "Zed", "beta"}));

    // The formatted texts would sort "10 KB", "150 KB", "2 MB", "900 bytes".
    QHeaderView& header = *view->table().horizontalHeader();
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(InstalledAppsModel::sizeColumn) + 10, header.height() / 2));
    processQueuedWork();
    const auto bySize = shownNames();
    if (header.sortIndicatorOrder() == Qt::AscendingOrder)
        EXPECT_EQ(bySize, (std::vector<std::string>{"beta", "Alpha", "Mid", "Zed"}));
    else
        EXPECT_EQ(bySize, (std::vector<std::string>{"Zed", "Mid", "Alpha", "beta"}));
    view->table().sortByColumn(InstalledAppsModel::sizeColumn, Qt::DescendingOrder);
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"Zed", "Mid", "Alpha", "beta"}));
}

// What the lists show is what will be removed: no name hides its second line or reads backwards.
TEST_F(AppListViewTest, NamesAndPathsShowTheirLineBreaksAndControls) {
    const InstalledApp app = addApp("Line\nBreak", "org.example.line\u202Ebreak", 900);
    EXPECT_EQ(shownNames(), std::vector<std::string>{"Line\u23CEBreak"});
    EXPECT_EQ(view->rows().index(0, 0).data(Qt::ToolTipRole).toString(),
              QStringLiteral("org.example.line\uFFFDbreak"));

    const std::string file = homeFile("Library/Caches/\u202Egnp.exe.app");
    showFiles(app, {file});
    const CheckableFileRow* row = view->filesView().fileList().row(file);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->toolTip().toStdString(), harness.tree.path("home/Library/Caches/") + "\uFFFDgnp.exe.app");
}

TEST_F(AppListViewTest, LoadingHidesTheListAndRetryLoadsAgain) {
    state->setIsLoadingApps(false);
    EXPECT_EQ(view->appPane().currentWidget(), &view->noAppsState());
    ASSERT_NE(view->noAppsState().actionButton(), nullptr);
    EXPECT_EQ(view->noAppsState().actionButton()->text(), QStringLiteral("Retry"));

    harness.installedApps->set({InstalledApp{Uuid::random(), "Found", "com.example.found", "/nowhere.app", 1}});
    harness.installedApps->holdNextFetch();
    QTest::mouseClick(view->noAppsState().actionButton(), Qt::LeftButton);
    EXPECT_TRUE(state->isLoadingApps());
    EXPECT_EQ(view->appPane().currentIndex(), 0);
    harness.installedApps->gate().open();
    ASSERT_TRUE(waitUntil([&] { return !state->isLoadingApps(); }));
    EXPECT_EQ(view->appPane().currentWidget(), &view->table());
    EXPECT_EQ(shownNames(), std::vector<std::string>{"Found"});

    // While loading, only the indicator shows, even over an older list.
    state->setIsLoadingApps(true);
    EXPECT_EQ(view->appPane().currentIndex(), 0);
    state->setIsLoadingApps(false);
}

TEST_F(AppListViewTest, ChoosingARowStartsItsFileSearchAndClearingItKeepsTheDetail) {
    const InstalledApp figma = addApp("Figma", "com.figma.Desktop", 400'000'000);
    addApp("Slack", "com.tinyspeck.slackmacgap", 200'000'000);
    EXPECT_EQ(view->detailPane().currentWidget(), &view->chooseAppState());

    choose("Figma");
    ASSERT_TRUE(state->selectedApp());
    EXPECT_EQ(state->selectedApp()->id, figma.id);
    EXPECT_TRUE(state->isScanningAppFiles());
    EXPECT_EQ(view->detailPane().currentWidget(), &view->filesView());
    ASSERT_TRUE(waitUntil([&] { return !state->isScanningAppFiles(); }));

    view->table().clearSelection();
    processQueuedWork();
    EXPECT_EQ(state->selectedApp()->id, figma.id);
    EXPECT_EQ(view->detailPane().currentWidget(), &view->filesView());
    // A new list with the same applications keeps the chosen row without searching again.
    state->setInstalledApps(apps);
    EXPECT_FALSE(state->isScanningAppFiles());
}

TEST_F(AppListViewTest, TheRemoveButtonIsThereOnlyWithSelectedFilesAndCountsThem) {
    EXPECT_TRUE(view->removeButton().isHidden());
    state->setSelectedFiles({"/a"});
    EXPECT_FALSE(view->removeButton().isHidden());
    EXPECT_EQ(view->removeButton().text(), QStringLiteral("Remove app files (1)"));
    EXPECT_TRUE(view->removeButton().hasLeadingNexalMark());
    state->setSelectedFiles({"/a", "/b", "/c"});
    EXPECT_EQ(view->removeButton().text(), QStringLiteral("Remove app files (3)"));
    state->setSelectedFiles({});
    EXPECT_TRUE(view->removeButton().isHidden());
}

} // namespace
} // namespace zn
