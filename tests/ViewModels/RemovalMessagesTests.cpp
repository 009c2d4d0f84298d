#include "ViewModels/RemovalMessages.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(RemovalMessages, FailureTable) {
    const std::string protecting = " couldn't be removed because macOS is protecting them. Allow Zelva Nexal "
                                   "in Settings, then try again.";
    EXPECT_EQ(removalFailureMessage(true, false, 1, std::nullopt), "1 file" + protecting);
    EXPECT_EQ(removalFailureMessage(true, true, 3, "denied"), "3 files" + protecting);
    EXPECT_EQ(removalFailureMessage(true, true, 0, "denied"), "Some selected files" + protecting);

    EXPECT_EQ(removalFailureMessage(false, true, 2, "denied"),
              "2 files couldn't be removed. The files may have changed or macOS blocked access.");
    EXPECT_EQ(removalFailureMessage(false, false, 1, std::nullopt),
              "1 file couldn't be removed. Make sure the files still exist and aren't open in another app.");
    EXPECT_EQ(removalFailureMessage(false, true, 0, "User cancelled; try later"),
              "Zelva Nexal couldn't finish removing the files: User cancelled; try later");
    EXPECT_EQ(removalFailureMessage(false, true, 0, ""), std::nullopt);
    EXPECT_EQ(removalFailureMessage(false, false, 0, std::nullopt), std::nullopt);
}

TEST(RemovalMessages, RefusalsAreNeverSilent) {
    EXPECT_EQ(refusedRemovalMessage(2),
              "Refused to delete 2 protected item(s) (home credential directory or similar).");
    EXPECT_EQ(combinedRemovalMessage(0, std::nullopt, 0), std::nullopt);
    EXPECT_EQ(combinedRemovalMessage(0, "x", 0), "x");
    EXPECT_EQ(combinedRemovalMessage(1, std::nullopt, 0), refusedRemovalMessage(1));
    EXPECT_EQ(combinedRemovalMessage(1, "x", 0), refusedRemovalMessage(1) + " x");
}

TEST(RemovalMessages, AFailureOfTheTrashIsToldAsSuch) {
    EXPECT_EQ(trashFailureMessage(1),
              "Zelva Nexal couldn't move 1 file to the Trash, so it was left in place. "
              "Check that the Trash can be written to.");
    EXPECT_EQ(combinedRemovalMessage(0, std::nullopt, 2), trashFailureMessage(2));
    EXPECT_EQ(combinedRemovalMessage(1, "x", 2), refusedRemovalMessage(1) + " x " + trashFailureMessage(2));
}

TEST(RemovalMessages, WhatWasKeptForOtherUsersSaysWhy) {
    const KeptItem theirs{"/c/a", {"/c/a/z2"}};
    const KeptItem shared{"/c/b", {"/c/b", KeptBecause::sharedWithOtherUsers}};
    const KeptItem inShared{"/team/c", {"/team/c", KeptBecause::inFolderOfOtherUsers}};
    EXPECT_EQ(keptForOtherUsersMessage({theirs}),
              "Zelva Nexal kept 1 file in place: /c/a/z2 belongs to another user.");
    EXPECT_EQ(keptForOtherUsersMessage({shared}),
              "Zelva Nexal kept 1 file in place: /c/b is a folder shared with other users.");
    EXPECT_EQ(keptForOtherUsersMessage({inShared}),
              "Zelva Nexal kept 1 file in place: /team/c lies in a folder shared with other users.");
    EXPECT_EQ(keptForOtherUsersMessage({theirs, theirs}),
              "Zelva Nexal kept 2 files in place: they hold files of other users, such as /c/a/z2.");
    EXPECT_EQ(
        keptForOtherUsersMessage({theirs, shared}),
        "Zelva Nexal kept 2 files in place: they hold files of other users or folders shared with them, "
        "such as /c/a/z2.");
}

} // namespace
} // namespace zn
