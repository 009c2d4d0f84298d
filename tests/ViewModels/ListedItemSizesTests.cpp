#include "Platform/core/ItemSize.h"
#include "ViewModels/ListedItemSizes.h"
#include "appsupport/AppStateHarness.h"
#include "support/FixtureTree.h"

#include <QThreadPool>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::waitUntil;

// A list as the uninstaller finds it: folders, files, links to both, a dangling link and a path gone.
struct MixedList {
    test::FixtureTree tree;
    std::string bundle = tree.folder("Library/Application Support/Figma");
    std::string plist = tree.textFile("Library/Preferences/com.figma.Desktop.plist", std::string(5000, 'z'));
    std::string log = tree.textFile("Library/Logs/figma.log", std::string(70000, 'z'));
    std::string fileLink = tree.symlink("Library/Caches/figma-log", log);
    std::string folderLink = tree.symlink("Library/Caches/figma-support", bundle);
    std::string dangling = tree.symlink("Library/Caches/figma-gone", tree.path("nowhere"));
    std::string missing = tree.path("Library/Caches/never-there");

    MixedList() {
        tree.textFile("Library/Application Support/Figma/one", std::string(20000, 'z'));
        tree.textFile("Library/Application Support/Figma/nested/two", std::string(90000, 'z'));
        tree.symlink("Library/Application Support/Figma/outside", log);
    }
    std::vector<std::string> paths() const {
        return {bundle, plist, log, fileLink, folderLink, dangling, missing};
    }
};

// What the list has always shown for an entry: a folder by what it holds, anything else by its own space.
std::int64_t shownSize(const std::string& path) {
    return (isFolderEntry(path) ? listedItemSize(path) : listedFileSize(path)).value_or(0);
}

TEST(ListedItemSizes, TotalsFollowEachAnswerAndMatchWhatTheListAlwaysShowed) {
    MixedList list;
    ListedItemSizes sizes;
    std::vector<std::string> answered;
    QObject::connect(&sizes, &ListedItemSizes::sizesArrived, [&](const std::vector<std::string>& paths) {
        answered.insert(answered.end(), paths.begin(), paths.end());
    });
    const std::set<std::string> selected{list.bundle, list.plist, list.fileLink, list.dangling, list.missing};
    sizes.setCounted(selected);
    sizes.measure(list.paths());
    // Nothing is looked at on the calling thread.
    EXPECT_TRUE(sizes.isMeasuring());
    EXPECT_FALSE(sizes.size(list.plist));
    EXPECT_FALSE(sizes.isFolder(list.bundle));
    ASSERT_TRUE(waitUntil([&] { return !sizes.isMeasuring(); }));

    const std::vector<std::string> paths = list.paths();
    EXPECT_EQ(std::set<std::string>(answered.begin(), answered.end()),
              std::set<std::string>(paths.begin(), paths.end()));
    std::int64_t selectedTotal = 0;
    for (const std::string& path : paths) {
        EXPECT_EQ(sizes.size(path).value_or(0), shownSize(path)) << path;
        if (selected.contains(path))
            selectedTotal += shownSize(path);
    }
    EXPECT_GE(selectedTotal, 20000 + 90000 + 5000);
    EXPECT_EQ(sizes.countedTotal(), selectedTotal);
    EXPECT_EQ(sizes.isFolder(list.bundle), true);
    EXPECT_EQ(sizes.isFolder(list.folderLink), false);
    EXPECT_EQ(sizes.isFolder(list.plist), false);
    EXPECT_FALSE(sizes.size(list.missing));

    // A new selection is totalled from the sizes known; a path listed again is not looked at again.
    sizes.setCounted({list.log, list.folderLink});
    EXPECT_EQ(sizes.countedTotal(), shownSize(list.log) + shownSize(list.folderLink));
    sizes.measure(list.paths());
    EXPECT_FALSE(sizes.isMeasuring());
}

TEST(ListedItemSizes, ANewSearchHearsNothingOfTheLastOne) {
    MixedList list;
    ListedItemSizes sizes;
    sizes.setCounted({list.bundle, list.plist});
    sizes.measure(list.paths());
    sizes.reset();
    EXPECT_FALSE(sizes.isMeasuring());
    QThreadPool::globalInstance()->waitForDone();
    test::processQueuedWork();
    EXPECT_FALSE(sizes.size(list.plist));
    EXPECT_EQ(sizes.countedTotal(), 0);

    sizes.measure({list.plist});
    ASSERT_TRUE(waitUntil([&] { return !sizes.isMeasuring(); }));
    EXPECT_EQ(sizes.countedTotal(), shownSize(list.plist));
}

} // namespace
} // namespace zn
