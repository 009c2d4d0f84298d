#include "Platform/core/HomeTrash.h"
#include "Platform/core/Trash.h"
#include "Services/CleaningEngine.h"
#include "Services/ScanEngine.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace zn {
namespace {

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What the uninstaller moves to the Trash, the Trash category offers, and its clean leaves nothing behind:
// neither the files nor their records.
TEST(TrashCategory, OffersAndEmptiesWhatTheTrashMoveFilled) {
    for (const bool ownDataHome : {false, true}) {
        test::FixtureTree tree;
        const std::string home = tree.folder("home");
        const auto dataHome = ownDataHome ? std::optional<std::string>(tree.folder("data")) : std::nullopt;
        const HomeTrash homeTrash(home, dataHome);
        tree.file("home/.Trash/from-elsewhere.bin", 5000); // not the desktop's Trash

        const Trash trash(homeTrash.folder());
        for (const char* path :
             {"home/Applications/Editor.app/Contents/Info.plist", "home/Library/Caches/com.editor/cache.db",
              "home/Library/Logs/Editor/run.log", "home/.config/editor/settings.json"})
            tree.file(path, 2000);
        for (const char* moved : {"home/Applications/Editor.app", "home/Library/Caches/com.editor",
                                  "home/Library/Logs/Editor", "home/.config/editor"})
            ASSERT_TRUE(trash.moveToTrash(tree.path(moved)).moved) << moved;

        ScanEngineOptions scanOptions = test::fixtureEngineOptions(tree);
        scanOptions.dataHome = dataHome;
        const CategoryResult offered = ScanEngine(home, scanOptions).scanTrash();
        std::vector<std::string> names;
        for (const CleanableItem& item : offered.items) {
            names.push_back(item.name);
            EXPECT_EQ(item.path, homeTrash.filesFolder() + "/" + item.name);
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"Editor", "Editor.app", "com.editor", "editor"}));
        EXPECT_EQ(offered.totalSize, 8000);

        CleaningEngineOptions cleanOptions;
        cleanOptions.systemFolders = test::fixtureCleaningFolders(tree);
        cleanOptions.dataHome = dataHome;
        const CleaningResult cleaned = CleaningEngine(home, cleanOptions).cleanItems(offered.items, nullptr);
        EXPECT_EQ(cleaned.deletedCount, 4);
        EXPECT_TRUE(cleaned.errors.empty());
        EXPECT_EQ(namesIn(homeTrash.filesFolder()), std::vector<std::string>{});
        EXPECT_EQ(namesIn(homeTrash.infoFolder()), std::vector<std::string>{});
        EXPECT_TRUE(std::filesystem::exists(tree.path("home/.Trash/from-elsewhere.bin")));
    }
}

} // namespace
} // namespace zn
