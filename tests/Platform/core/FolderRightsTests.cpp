#include "Platform/core/FolderRights.h"
#include "Platform/core/FolderWithoutLinks.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {
namespace {

// What refusalToTakeEntryFrom says of the entry `name` in `folder`, in a child without root's powers
// unless `privileged`; -1 when the folder cannot be opened.
int refusal(const std::string& folder, const std::string& name, bool privileged = false) {
    auto judge = [&] {
        UniqueFd folderFd;
        struct stat entry;
        if (openFolderWithoutLinks(folder, folderFd) != 0 ||
            ::fstatat(folderFd.get(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0)
            return -1;
        return refusalToTakeEntryFrom(folderFd.get(), entry);
    };
    return privileged ? judge() : test::exitStatusWithoutPrivileges(judge);
}

TEST(FolderRights, AnEntryMayBeTakenOnlyFromAFolderThatLetsTheUserChangeIt) {
    test::FixtureTree tree;
    const std::string folder = tree.folder("folder");
    tree.textFile("folder/entry", "x");
    EXPECT_EQ(refusal(folder, "entry"), 0);
    for (const mode_t closed : {0500, 0555, 0100}) {
        test::ScopedMode mode(folder, closed);
        EXPECT_EQ(refusal(folder, "entry"), EACCES) << closed;
    }
    // Sticky, it still lets its owner take any entry.
    test::ScopedMode sticky(folder, 01777);
    EXPECT_EQ(refusal(folder, "entry"), 0);
}

TEST(FolderRights, AStickyFolderOfAnotherUserLetsNoneTakeWhatIsNotTheirs) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    test::FixtureTree tree;
    const std::string shared = tree.folder("shared");
    const std::string theirs = tree.textFile("shared/theirs", "x");
    tree.textFile("shared/mine", "x");
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    ASSERT_EQ(::lchown(shared.c_str(), test::kOtherUser, test::kOtherUser), 0);
    ASSERT_EQ(::lchown(theirs.c_str(), test::kOtherUser, test::kOtherUser), 0);
    EXPECT_EQ(refusal(shared, "theirs"), EPERM);
    EXPECT_EQ(refusal(shared, "mine"), 0);
    EXPECT_EQ(refusal(shared, "theirs", true), 0); // root's power over owners passes over the sticky bit
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    EXPECT_EQ(refusal(shared, "theirs"), 0);
}

} // namespace
} // namespace zn
