#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Lists/FileChecklist.h"

#include "appsupport/AppStateHarness.h"

#include <QScrollBar>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zn {
namespace {

std::vector<std::string> listedPaths(const FileChecklist& list) {
    std::vector<std::string> paths;
    for (const CheckableFileRow* row : list.rows())
        paths.push_back(row->path());
    return paths;
}

// Each row sits in its place, one under the other, as wide as the list.
void expectStacked(const FileChecklist& list) {
    const int width = list.widget()->width();
    for (std::size_t i = 0; i < list.rows().size(); ++i) {
        const CheckableFileRow* row = list.rows()[i];
        EXPECT_EQ(row->geometry(), QRect(6, 6 + static_cast<int>(i) * CheckableFileRow::fixedHeight, width - 12,
                                         CheckableFileRow::fixedHeight))
            << row->path();
        EXPECT_TRUE(row->isVisible()) << row->path();
    }
    EXPECT_GE(list.widget()->height(), 12 + static_cast<int>(list.rows().size()) * CheckableFileRow::fixedHeight);
}

TEST(FileChecklistTest, ALongListMadeOverSeveralTurnsShowsEveryRowInOrderAndFollowsChanges) {
    int setUp = 0;
    FileChecklist list([&](CheckableFileRow&) { ++setUp; });
    list.resize(420, 300);
    list.show();
    // Far more rows than a turn makes even in an optimised build; each turn places every row made so far,
    // so more rows only make the test slower. It waits for the last turn however many there are.
    std::vector<std::string> paths;
    for (int i = 0; i < 1000; ++i)
        paths.push_back("/home/me/Library/Caches/item-" + std::to_string(i));
    list.setPaths(paths);
    EXPECT_LT(list.rows().size(), paths.size()) << "a long list is not made in one turn";
    ASSERT_TRUE(test::waitUntil([&] { return list.rows().size() == paths.size(); }));
    test::processQueuedWork();
    EXPECT_EQ(listedPaths(list), paths);
    EXPECT_EQ(setUp, 1000);
    expectStacked(list);
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
    EXPECT_TRUE(list.viewport()->rect().contains(
        list.rows().back()->geometry().translated(0, -list.verticalScrollBar()->value())));

    // Reordered and shortened: the kept rows are the same rows, in their new places.
    CheckableFileRow* kept = list.row(paths[5]);
    std::vector<std::string> shorter{paths[5], paths[1], paths[3]};
    list.setPaths(shorter);
    EXPECT_EQ(listedPaths(list), shorter);
    EXPECT_EQ(list.rows().front(), kept);
    EXPECT_EQ(list.row(paths[0]), nullptr);
    test::processQueuedWork();
    expectStacked(list);
    EXPECT_EQ(setUp, 1000);

    list.resize(600, 300);
    test::processQueuedWork();
    expectStacked(list);
}

} // namespace
} // namespace zn
