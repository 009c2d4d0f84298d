#include "ViewModels/TrashPass.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(TrashPass, AProtectedPlaceIsRefusedAsItsMoveComes) {
    test::FixtureTree tree;
    const std::string home = tree.folder("home");
    const std::string holder = tree.folder("home/Library/Caches/ZorblaxVictim");
    const std::string file = tree.file("home/Library/Caches/com.acme.zorblax.db", 1);
    std::vector<std::string> moved;
    const TrashMover record = [&](const std::string& path, Trash::EntriesOfOthers) {
        moved.push_back(path);
        return Trash::Outcome{true, 0, path, false, {}};
    };
    const RemovalPathRules rules(home, "", {holder + "/sub", ""});

    const TrashPassOutcome outcome = trashDirectly({holder, file, home}, record, false, rules);
    EXPECT_EQ(moved, std::vector<std::string>{file});
    EXPECT_EQ(outcome.trashed, std::vector<std::string>{file});
    EXPECT_EQ(outcome.refused, (std::vector<std::string>{holder, home}));
}

} // namespace
} // namespace zn
