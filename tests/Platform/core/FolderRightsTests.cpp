#include "Platform/core/AccessAcl.h"
#include "Platform/core/FolderRights.h"
#include "Platform/core/FolderWithoutLinks.h"
#include "support/AccessAclFixture.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
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

// The attribute's bytes for the entries (tag, permissions, id), after its version.
std::string aclBytes(std::initializer_list<std::array<std::uint32_t, 3>> entries, std::uint32_t version = 2) {
    std::string bytes;
    auto append = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    append(version, 4);
    for (const auto& [tag, permissions, id] : entries) {
        append(tag, 2);
        append(permissions, 2);
        append(id, 4);
    }
    return bytes;
}

TEST(FolderRights, AnAclLetsOthersWriteThroughANamedUserOrAForeignGroupUnderItsMask) {
    constexpr uid_t kOwner = 1000;
    constexpr std::uint32_t kNone = 0xFFFFFFFF;
    const auto ownersGroup = [](gid_t group) { return group == 1000; };
    const auto letsOthersWrite = [&](const std::string& acl) {
        return aclLetsOthersWrite(acl, kOwner, ownersGroup);
    };
    EXPECT_FALSE(letsOthersWrite(""));
    EXPECT_FALSE(letsOthersWrite(aclBytes({{0x01, 7, kNone}, {0x04, 5, kNone}, {0x20, 5, kNone}})));
    EXPECT_TRUE(letsOthersWrite(
        aclBytes({{0x01, 7, kNone}, {0x02, 7, 1001}, {0x04, 5, kNone}, {0x10, 7, kNone}, {0x20, 5, kNone}})));
    // The mask takes the write bit away from every named entry; the owner named is still the owner.
    EXPECT_FALSE(letsOthersWrite(
        aclBytes({{0x01, 7, kNone}, {0x02, 7, 1001}, {0x04, 5, kNone}, {0x10, 5, kNone}, {0x20, 5, kNone}})));
    EXPECT_FALSE(letsOthersWrite(aclBytes(
        {{0x01, 7, kNone}, {0x02, 7, kOwner}, {0x04, 5, kNone}, {0x10, 7, kNone}, {0x20, 5, kNone}})));
    EXPECT_TRUE(letsOthersWrite(
        aclBytes({{0x01, 7, kNone}, {0x04, 5, kNone}, {0x08, 3, 2000}, {0x10, 7, kNone}, {0x20, 5, kNone}})));
    EXPECT_FALSE(letsOthersWrite(
        aclBytes({{0x01, 7, kNone}, {0x04, 5, kNone}, {0x08, 7, 1000}, {0x10, 7, kNone}, {0x20, 5, kNone}})));
    // What cannot be read as an ACL vouches for nothing.
    EXPECT_TRUE(letsOthersWrite(aclBytes({{0x01, 7, kNone}}, 3)));
    EXPECT_TRUE(letsOthersWrite(aclBytes({{0x01, 7, kNone}}).substr(0, 9)));
}

TEST(FolderRights, AFolderItsAclLetsAnotherPersonWriteToIsNoLongerTheOwnersAlone) {
    test::FixtureTree tree;
    const std::string folder = tree.folder("granted");
    ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);
    EXPECT_FALSE(othersMayWriteToFolderAt(folder, false));
    if (const int error = test::grantWritingThroughAcl(folder, test::kOtherPerson))
        GTEST_SKIP() << "the file system keeps no ACLs: " << std::strerror(error);
    // The owner's personal group is in the group bits' place; the named user is the one who may write.
    if (::chown(folder.c_str(), ::getuid(), ::getgid()) != 0)
        GTEST_SKIP() << "cannot give the folder its owner's own group";
    EXPECT_TRUE(othersMayWriteToFolderAt(folder, false));
    EXPECT_TRUE(othersMayReplaceEntriesInFolderAt(folder));
    UniqueFd opened;
    ASSERT_EQ(openFolderWithoutLinks(folder, opened), 0); // an O_PATH descriptor reads the ACL as well
    EXPECT_TRUE(othersMayWriteToOpenFolder(opened.get()));
    EXPECT_FALSE(isPrivateFolderOf(opened.get(), ::getuid()));
    // Sticky, nobody may rename over the owner's names any more.
    ASSERT_EQ(::chmod(folder.c_str(), 01770), 0);
    EXPECT_FALSE(othersMayReplaceEntriesInFolderAt(folder));
}

} // namespace
} // namespace zn
