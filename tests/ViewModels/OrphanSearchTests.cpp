#include "Logic/Removal/LeftoverRules.h"
#include "ViewModels/OrphanSearch.h"
#include "support/AccessAclFixture.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {
namespace {

// Leftovers where any user may have put them, beside ones in a private home. Every entry belongs to this
// process's user; searching for another user makes them another owner's.
class OrphanSearchOwners : public ::testing::Test {
protected:
    test::FixtureTree tree;
    std::string system = tree.folder("system");

    // The names the search offers to `user` with `home`, sorted.
    std::vector<std::string> offered(const std::string& home, uid_t user) {
        const LeftoverRules rules(home, user, system, test::fixtureCleaningFolders(tree));
        std::vector<std::string> names;
        for (const std::string& path :
             findOrphanedFiles(Locations({home, system, home + "/Library/Caches", ""}), {},
                               [&](const std::string& p) { return rules.offered(p); }))
            names.push_back(path.substr(path.rfind('/') + 1));
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(OrphanSearchOwners, OfferOnlyTheCallersOwnEntriesWhereEveryUserMayPutThem) {
    // A home that is the shared temporary folder itself (as the password database may say).
    const std::string shared = tree.folder("system/tmp");
    tree.folder("system/tmp/Library/Caches/malstuff");
    tree.textFile("system/tmp/Library/Logs/mallog", "x");
    // A private home, with a folder every user may write to.
    const std::string home = tree.folder("home");
    tree.folder("home/Library/Caches/com.gone.tool");
    const std::string logs = tree.folder("home/Library/Logs");
    tree.textFile("home/Library/Logs/Gone Tool.log", "x");
    ASSERT_EQ(::chmod(logs.c_str(), 01777), 0);

    const uid_t me = ::getuid();
    const uid_t someoneElse = me + 1;
    EXPECT_EQ(offered(shared, me), (std::vector<std::string>{"mallog", "malstuff"}));
    EXPECT_EQ(offered(home, me), (std::vector<std::string>{"Gone Tool.log", "com.gone.tool"}));
    EXPECT_EQ(offered(shared, someoneElse), std::vector<std::string>{});
    // Not even in a home's private folder is another user's entry offered; the administrator's count as
    // the system's, which installers leave.
    EXPECT_EQ(offered(home, someoneElse),
              me == 0 ? std::vector<std::string>{"com.gone.tool"} : std::vector<std::string>{});
}

TEST_F(OrphanSearchOwners, AFolderGoesWholeOnlyWhereNothingOfAnotherUserOrAGroupCanBeInIt) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    const uid_t me = test::kOtherPerson - 1;
    const std::string home = tree.folder("home");
    auto mine = [&](const std::string& relative, bool folder = false) {
        const std::string path = folder ? tree.folder(relative) : tree.file(relative, 1);
        EXPECT_EQ(::lchown(path.c_str(), me, me), 0);
        return path;
    };
    // Anyone may write to it: only the user's own entries inside are offered, never another's.
    const std::string open = mine("home/Library/Caches/com.gone.shared", true);
    ASSERT_EQ(::chmod(open.c_str(), 01777), 0);
    mine("home/Library/Caches/com.gone.shared/mine.db");
    const std::string theirs = tree.folder("home/Library/Caches/com.gone.shared/z2-dir");
    ASSERT_EQ(::lchown(theirs.c_str(), test::kOtherPerson, test::kOtherPerson), 0);
    // A group may write to it, or an ACL lets another person write: with no sticky bit, anyone who may
    // write there may rename their own entries over the user's names, so nothing in it is offered.
    const std::string team = mine("home/Library/Logs/Gone Team", true);
    ASSERT_EQ(::chown(team.c_str(), me, test::kSharedGroup), 0);
    ASSERT_EQ(::chmod(team.c_str(), 02775), 0);
    mine("home/Library/Logs/Gone Team/team.log");
    const std::string granted = mine("home/Library/Caches/com.gone.oldapp", true);
    mine("home/Library/Caches/com.gone.oldapp/old.db");
    ASSERT_EQ(::chmod(granted.c_str(), 0700), 0);
    if (const int error = test::grantWritingThroughAcl(granted, test::kOtherPerson))
        GTEST_SKIP() << "the file system keeps no ACLs: " << std::strerror(error);
    // Another user's entry deep inside keeps the whole from being offered.
    mine("home/Library/Caches/com.gone.deep", true);
    mine("home/Library/Caches/com.gone.deep/sub", true);
    const std::string planted = tree.file("home/Library/Caches/com.gone.deep/sub/planted", 1);
    ASSERT_EQ(::lchown(planted.c_str(), test::kOtherPerson, test::kOtherPerson), 0);
    // All the user's own: offered whole.
    mine("home/Library/Caches/com.gone.own", true);
    mine("home/Library/Caches/com.gone.own/data");

    EXPECT_EQ(offered(home, me), (std::vector<std::string>{"com.gone.own", "mine.db"}));
}

} // namespace
} // namespace zn
