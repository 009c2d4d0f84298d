#include "Platform/core/FolderWithoutLinks.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/Utf8.h"
#include "Platform/core/Trash.h"
#include "support/EntrySwapper.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"
#include "support/ScopedBindMount.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {
namespace {

std::string slurp(const std::string& path) {
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// A record's "Path=" as the desktop reads it back.
std::string percentDecoded(const std::string& encoded) {
    std::string decoded;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%' && i + 2 < encoded.size()) {
            decoded.push_back(static_cast<char>(std::stoi(encoded.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            decoded.push_back(encoded[i]);
        }
    }
    return decoded;
}

bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

TEST(Trash, MovesWithARestorableTrashInfo) {
    test::FixtureTree tree;
    const std::string file = tree.textFile("home/Library/Caches/My App/data one.bin", "payload");
    Trash trash(tree.path("home/.local/share/Trash"));

    Trash::Outcome outcome = trash.moveToTrash(file);
    ASSERT_TRUE(outcome.moved) << outcome.errorNumber;
    EXPECT_FALSE(exists(file));
    EXPECT_EQ(outcome.trashedPath, trash.homeTrash() + "/files/data one.bin");
    EXPECT_EQ(slurp(outcome.trashedPath), "payload");

    const std::string info = slurp(trash.homeTrash() + "/info/data one.bin.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u);
    const std::string encoded = info.substr(18, info.find('\n', 18) - 18);
    EXPECT_EQ(percentDecoded(encoded), file);
    EXPECT_EQ(encoded.find(' '), std::string::npos);
    EXPECT_NE(info.find("\nDeletionDate="), std::string::npos);

    // The same name again gets a name of its own instead of overwriting the first.
    tree.textFile("home/Library/Caches/My App/data one.bin", "second");
    Trash::Outcome second = trash.moveToTrash(file);
    ASSERT_TRUE(second.moved);
    EXPECT_NE(second.trashedPath, outcome.trashedPath);
    EXPECT_EQ(slurp(outcome.trashedPath), "payload");
    EXPECT_TRUE(exists(trash.homeTrash() + "/info/" +
                       second.trashedPath.substr(second.trashedPath.rfind('/') + 1) + ".trashinfo"));
}

TEST(Trash, ANameTooLongForItsRecordIsShortenedInTheTrashAndRestoresAsItWas) {
    test::FixtureTree tree;
    const std::string longest = std::string(251, 'n') + ".log"; // 255 bytes: as long as a name may be
    // 250 bytes, ending in a character of several bytes that no cut may split.
    const std::string accented = std::string(240, 'a') + "\xC3\xA9\xC3\xA9\xC3\xA9.txt";
    const std::string folder = tree.folder("home/Library/Caches/com.gone.app");
    Trash trash(tree.path("home/.local/share/Trash"));
    std::vector<std::string> trashed;
    for (const std::string& name : {longest, accented, accented}) {
        const std::string file = tree.textFile("home/Library/Caches/com.gone.app/" + name, name);
        const Trash::Outcome outcome = trash.moveToTrash(file);
        ASSERT_TRUE(outcome.moved) << std::strerror(outcome.errorNumber);
        const std::string inTrash = outcome.trashedPath.substr(outcome.trashedPath.rfind('/') + 1);
        EXPECT_LE(inTrash.size() + std::strlen(".trashinfo"), std::size_t{255});
        EXPECT_TRUE(isValidUtf8(inTrash))
            << "cut inside a character";
        EXPECT_EQ(slurp(outcome.trashedPath), name);
        const std::string info = slurp(trash.homeTrash() + "/info/" + inTrash + ".trashinfo");
        const std::string encoded = info.substr(18, info.find('\n', 18) - 18);
        EXPECT_EQ(percentDecoded(encoded), file);
        trashed.push_back(inTrash);
    }
    EXPECT_TRUE(trashed[0].ends_with(".log"));
    EXPECT_TRUE(trashed[1].ends_with(".txt"));
    EXPECT_TRUE(trashed[2].ends_with(".txt.2"));
}

TEST(Trash, FoldersAndLinksMoveWhole) {
    test::FixtureTree tree;
    tree.file("home/Library/Application Support/Foo/a", 10);
    tree.textFile("outside/keep", "keep");
    const std::string link = tree.symlink("home/Library/Application Support/FooLink", tree.path("outside"));
    Trash trash(tree.path("home/.local/share/Trash"));

    ASSERT_TRUE(trash.moveToTrash(tree.path("home/Library/Application Support/Foo")).moved);
    EXPECT_TRUE(exists(trash.homeTrash() + "/files/Foo/a"));
    ASSERT_TRUE(trash.moveToTrash(link).moved);
    EXPECT_EQ(slurp(tree.path("outside/keep")), "keep"); // the link went, not its target
}

TEST(Trash, ReportsTheErrno) {
    test::FixtureTree tree;
    Trash trash(tree.path("home/.local/share/Trash"));
    EXPECT_EQ(trash.moveToTrash(tree.path("home/missing")).errorNumber, ENOENT);
    EXPECT_EQ(trash.moveToTrash("relative/path").errorNumber, EINVAL);
    EXPECT_FALSE(trash.moveToTrash(tree.path("home/missing")).moved);
}

// A folder that is missing or empty; never throws, as it runs in a forked child.
bool holdsNothing(const std::string& folder) {
    std::error_code error;
    return std::filesystem::is_empty(folder, error) || error;
}

std::string recordedPath(const std::string& trashInfo) {
    const std::string info = slurp(trashInfo);
    const std::size_t start = info.find("Path=") + 5;
    return info.substr(start, info.find('\n', start) - start);
}

TEST(Trash, AFailureToMakeTheTrashGivesItsOwnErrorNeverAnAlreadyGone) {
    test::FixtureTree tree;
    const std::string file = tree.textFile("home/Library/Caches/data.bin", "x");
    tree.folder("elsewhere");
    tree.symlink("home/.local/share", tree.path("elsewhere"));
    Trash trash(tree.path("home/.local/share/Trash"));
    const Trash::Outcome outcome = trash.moveToTrash(file);
    EXPECT_FALSE(outcome.moved);
    EXPECT_EQ(outcome.errorNumber, ENOTDIR);
    EXPECT_TRUE(exists(file));
}

// A Trash further behind a link (a linked ~/.local) is refused as well, and nothing lands behind the link.
TEST(Trash, ATrashBehindALinkedFolderFurtherUpIsNeverFilled) {
    test::FixtureTree tree;
    const std::string file = tree.textFile("home/Library/Caches/data.bin", "x");
    tree.folder("elsewhere/share/Trash/files");
    tree.folder("elsewhere/share/Trash/info");
    tree.symlink("home/.local", tree.path("elsewhere"));
    Trash trash(tree.path("home/.local/share/Trash"));
    const Trash::Outcome outcome = trash.moveToTrash(file);
    EXPECT_FALSE(outcome.moved);
    EXPECT_TRUE(outcome.trashFailed);
    EXPECT_TRUE(exists(file));
    EXPECT_TRUE(std::filesystem::is_empty(tree.path("elsewhere/share/Trash/files")));
    EXPECT_TRUE(std::filesystem::is_empty(tree.path("elsewhere/share/Trash/info")));
}

TEST(Trash, ThePathKeepsItsBytesEvenWhenTheyAreNotUtf8) {
    test::FixtureTree tree;
    const std::string file = tree.textFile("home/Library/Caches/caf\xc3\xa9 \xff.bin", "x");
    Trash trash(tree.path("home/.local/share/Trash"));
    ASSERT_TRUE(trash.moveToTrash(file).moved);
    const std::string encoded = recordedPath(trash.homeTrash() + "/info/caf\xc3\xa9 \xff.bin.trashinfo");
    EXPECT_TRUE(encoded.ends_with("/caf%C3%A9%20%FF.bin")) << encoded;
    EXPECT_EQ(percentDecoded(encoded), file);
}

TEST(Trash, NothingAlreadyInTheTrashIsReplaced) {
    test::FixtureTree tree;
    Trash trash(tree.path("home/.local/share/Trash"));
    // A file left in the Trash without its .trashinfo still keeps its name.
    tree.textFile("home/.local/share/Trash/files/data.bin", "older");
    tree.folder("home/.local/share/Trash/info");
    const std::string file = tree.textFile("home/Library/Caches/data.bin", "newer");
    Trash::Outcome outcome = trash.moveToTrash(file);
    ASSERT_TRUE(outcome.moved);
    EXPECT_EQ(outcome.trashedPath, trash.homeTrash() + "/files/data.bin.2");
    EXPECT_EQ(slurp(trash.homeTrash() + "/files/data.bin"), "older");
    EXPECT_EQ(slurp(outcome.trashedPath), "newer");
    EXPECT_FALSE(exists(trash.homeTrash() + "/info/data.bin.trashinfo")); // the reservation was given back
    EXPECT_TRUE(exists(trash.homeTrash() + "/info/data.bin.2.trashinfo"));
}

TEST(Trash, APathWithALinkOnItsWayIsRefusedAndNothingBehindTheLinkMoves) {
    test::FixtureTree tree;
    const std::string outside = tree.textFile("outside/file", "content");
    const std::string link = tree.symlink("home/link-dir", tree.path("outside"));
    Trash trash(tree.path("home/.local/share/Trash"));
    Trash::Outcome outcome = trash.moveToTrash(tree.path("home/link-dir/file"));
    EXPECT_FALSE(outcome.moved);
    EXPECT_TRUE(outcome.errorNumber == ENOTDIR || outcome.errorNumber == ELOOP) << outcome.errorNumber;
    EXPECT_FALSE(outcome.trashFailed);
    EXPECT_EQ(slurp(outside), "content");
    EXPECT_TRUE(exists(link));

    // So is a path that is not written in its one standard form.
    tree.textFile("home/Library/Caches/data.bin", "x");
    EXPECT_EQ(trash.moveToTrash(tree.path("home/Library//Caches/data.bin")).errorNumber, EINVAL);
    EXPECT_EQ(trash.moveToTrash(tree.path("home/Library/../Library/Caches/data.bin")).errorNumber, EINVAL);
    EXPECT_TRUE(exists(tree.path("home/Library/Caches/data.bin")));
}

TEST(Trash, AFolderOnTheWaySwappedWithALinkNeverLeadsTheMoveElsewhere) {
    // Whoever may rename entries in a folder on the way may swap one of its folders with a link to a
    // folder of the user's own that holds entries of the same names, at any moment.
    test::FixtureTree tree;
    constexpr int kItems = 400;
    for (int i = 0; i < kItems; ++i) {
        tree.textFile("shared/bdir/item-" + std::to_string(i), "inside");
        tree.textFile("home/Documents/item-" + std::to_string(i), "outside");
    }
    const std::string folder = tree.path("shared/bdir");
    Trash trash(tree.path("home/.local/share/Trash"));
    int moved = 0;
    {
        test::EntrySwapper swapper(folder, tree.symlink("shared/decoy", tree.path("home/Documents")));
        for (int round = 0; round < 5; ++round)
            for (int i = 0; i < kItems; ++i)
                moved += trash.moveToTrash(folder + "/item-" + std::to_string(i)).moved ? 1 : 0;
    }

    EXPECT_GT(moved, 0);
    for (int i = 0; i < kItems; ++i)
        EXPECT_EQ(slurp(tree.path("home/Documents/item-" + std::to_string(i))), "outside") << i;
    int inTrash = 0;
    for (const auto& entry : std::filesystem::directory_iterator(trash.homeTrash() + "/files")) {
        EXPECT_EQ(slurp(entry.path().string()), "inside") << entry.path();
        ++inTrash;
    }
    EXPECT_EQ(inTrash, moved);
}

TEST(Trash, ATrashThatCannotBeWrittenIsTheTrashsFailureNotTheItems) {
    // Permission bits bind root too in the child, so each refusal below is real whoever runs the tests.
    test::FixtureTree tree;
    const std::string file = tree.textFile("home/Library/Caches/Zorglub/data.bin", "x");
    const std::string trashPath = tree.path("home/.local/share/Trash");
    tree.folder("home/.local/share/Trash/files");
    tree.folder("home/.local/share/Trash/info");
    const Trash trash(trashPath);
    enum Check { moved = 1, wrongError = 2, notTheTrashs = 4, itemGone = 8, reservationLeft = 16 };
    auto attempt = [&](bool trashsFailure) {
        return test::exitStatusWithoutPrivileges([&] {
            const Trash::Outcome outcome = trash.moveToTrash(file);
            return (outcome.moved ? moved : 0) | (outcome.errorNumber != EACCES ? wrongError : 0) |
                   (outcome.trashFailed != trashsFailure ? notTheTrashs : 0) | (exists(file) ? 0 : itemGone) |
                   (exists(trashPath + "/info/data.bin.trashinfo") ? reservationLeft : 0);
        });
    };
    {
        test::ScopedMode readOnly(trashPath + "/info", 0500);
        EXPECT_EQ(attempt(true), 0);
    }
    {
        test::ScopedMode readOnly(trashPath + "/files", 0500);
        EXPECT_EQ(attempt(true), 0);
    }
    {
        // The Trash folder without its "files": it cannot be made.
        std::filesystem::remove(trashPath + "/files");
        test::ScopedMode readOnly(trashPath, 0500);
        EXPECT_EQ(attempt(true), 0);
    }
    {
        // The item's own folder refuses the move: that one is the item's.
        test::ScopedMode readOnly(tree.path("home/Library/Caches/Zorglub"), 0500);
        EXPECT_EQ(attempt(false), 0);
    }
    EXPECT_TRUE(trash.moveToTrash(file).moved);
}

// A home Trash whose folders are made, beside a file of the user's, for the refusals below.
class HomeTrashTest : public ::testing::Test {
protected:
    HomeTrashTest() {
        tree.folder("home/.local/share/Trash/files");
        tree.folder("home/.local/share/Trash/info");
    }

    // The Trash took nothing: the file is in its place and nothing was left in the Trash.
    void expectRefused(const Trash::Outcome& outcome, const std::string& why) {
        EXPECT_FALSE(outcome.moved) << why;
        EXPECT_TRUE(outcome.trashFailed) << why;
        EXPECT_EQ(slurp(file), "mine") << why;
        EXPECT_TRUE(std::filesystem::is_empty(trashPath + "/files")) << why;
        EXPECT_TRUE(std::filesystem::is_empty(trashPath + "/info")) << why;
    }

    test::FixtureTree tree;
    const std::string file = tree.textFile("home/Library/Caches/Zorglub/data.bin", "mine");
    const std::string trashPath = tree.path("home/.local/share/Trash");
    const Trash trash{trashPath};
};

TEST_F(HomeTrashTest, AHomeTrashThatOthersMayChangeIsNeverFilled) {
    // Whoever else may change the Trash, its "files" or its "info" could take or swap what lands there.
    for (const std::string& folder : {trashPath, trashPath + "/files", trashPath + "/info"})
        for (const mode_t mode : {0777, 0770, 01777}) {
            test::ScopedMode shared(folder, mode);
            expectRefused(trash.moveToTrash(file), folder + " " + std::to_string(mode));
        }
    EXPECT_TRUE(trash.moveToTrash(file).moved);
}

TEST_F(HomeTrashTest, AHomeTrashOfAnotherUserIsNeverFilled) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    // A data home of another user's, with that user's own private Trash, as root could still write it.
    for (const std::string& folder : {trashPath, trashPath + "/files", trashPath + "/info"}) {
        ASSERT_EQ(::lchown(folder.c_str(), test::kOtherUser, test::kOtherUser), 0);
        expectRefused(trash.moveToTrash(file), folder);
        ASSERT_EQ(::lchown(folder.c_str(), ::getuid(), ::getgid()), 0);
    }
    EXPECT_TRUE(trash.moveToTrash(file).moved);
}

// The item's own folder decides: when it does not let the user take the entry out, the failure is the
// item's (one for the administrator pass), whatever the state of the Trash.
class RefusingFolderTest : public ::testing::Test {
protected:
    enum Check { moved = 1, notTheItemsFailure = 2, itemGone = 4, somethingInTheTrash = 8 };

    RefusingFolderTest() {
        tree.folder("home/.local/share/Trash/files");
        tree.folder("home/.local/share/Trash/info");
    }

    // Moves `path` to the Trash without root's powers; the checks that failed, or -1.
    int attempt(const std::string& path, int expectedError) {
        return test::exitStatusWithoutPrivileges([&] {
            const Trash::Outcome outcome = trash.moveToTrash(path);
            const bool trashEmpty = holdsNothing(trashPath + "/files") && holdsNothing(trashPath + "/info");
            return (outcome.moved ? moved : 0) |
                   (outcome.trashFailed || outcome.errorNumber != expectedError ? notTheItemsFailure : 0) |
                   (exists(path) ? 0 : itemGone) | (trashEmpty ? 0 : somethingInTheTrash);
        });
    }

    test::FixtureTree tree;
    const std::string trashPath = tree.path("home/.local/share/Trash");
    const Trash trash{trashPath};
};

TEST_F(RefusingFolderTest, AFolderThatRefusesTheUserMakesItTheItemsFailureWhateverTheTrash) {
    // Permission bits bind root too in the child, so each refusal below is real whoever runs the tests.
    const std::string bundle = tree.textFile("system/Applications/Zorglub.app/Contents/Info.plist", "x");
    const std::string item = tree.path("system/Applications/Zorglub.app");
    test::ScopedMode closed(tree.path("system/Applications"), 0555);
    EXPECT_EQ(attempt(item, EACCES), 0);
    {
        test::ScopedMode readOnly(trashPath + "/info", 0500);
        EXPECT_EQ(attempt(item, EACCES), 0);
    }
    {
        test::ScopedMode readOnly(trashPath + "/files", 0500);
        EXPECT_EQ(attempt(item, EACCES), 0);
    }
    {
        test::ScopedMode shared(trashPath, 0777);
        EXPECT_EQ(attempt(item, EACCES), 0);
    }
    {
        std::filesystem::remove(trashPath + "/files");
        test::ScopedMode readOnly(trashPath, 0500);
        EXPECT_EQ(attempt(item, EACCES), 0);
    }
    EXPECT_EQ(slurp(bundle), "x");
}

TEST_F(RefusingFolderTest, ASharedFolderRefusesWhatIsNeitherTheUsersNorInTheUsersFolder) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    // A sticky folder of another user's, as /tmp: every user may write it, and only an owner may move.
    const std::string shared = tree.folder("shared");
    const std::string theirs = tree.textFile("shared/theirs", "x");
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    ASSERT_EQ(::lchown(shared.c_str(), test::kOtherUser, test::kOtherUser), 0);
    ASSERT_EQ(::lchown(theirs.c_str(), test::kOtherUser, test::kOtherUser), 0);
    test::ScopedMode readOnly(trashPath + "/info", 0500);
    EXPECT_EQ(attempt(theirs, EPERM), 0);
}

TEST_F(RefusingFolderTest, ABundleOnAnotherFileSystemThatOnlyItsOwnerMayChangeIsTheItemsFailure) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToMount;
    // Applications on a file system of its own, as a separate partition would be: its top folder, where
    // a Trash of that file system would go, is as closed to the user as the folder of the bundle.
    const std::string applications = tree.folder("Applications");
    test::ScopedTmpfsMount mounted(applications);
    if (mounted.error())
        GTEST_SKIP() << test::kNeedsRootToMount << " (" << std::strerror(mounted.error()) << ")";
    const std::string item = tree.textFile("Applications/Zorglub.app/Contents/Info.plist", "x");
    ASSERT_EQ(::lchown(applications.c_str(), test::kOtherUser, test::kOtherUser), 0);
    EXPECT_EQ(attempt(tree.path("Applications/Zorglub.app"), EACCES), 0);
    EXPECT_EQ(slurp(item), "x");
}

TEST(Trash, NothingThatIsOrHoldsAnotherPersonsEntryMoves) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    test::FixtureTree tree;
    auto handTo = [](const std::string& path, uid_t owner) {
        ASSERT_EQ(::lchown(path.c_str(), owner, owner), 0);
    };
    const std::string folder = resolvingSymlinksInPath(tree.folder("home/Library/Caches/com.gone.shared"));
    tree.file("home/Library/Caches/com.gone.shared/mine.db", 1);
    const std::string theirFolder = tree.folder("home/Library/Caches/com.gone.shared/z2-dir");
    const std::string theirData = tree.file("home/Library/Caches/com.gone.shared/z2-dir/z2-data", 1);
    handTo(theirFolder, test::kOtherPerson);
    handTo(theirData, test::kOtherPerson);
    const std::string planted = resolvingSymlinksInPath(tree.file("home/Library/Caches/planted", 1));
    handTo(planted, test::kOtherPerson);
    const std::string spool = resolvingSymlinksInPath(tree.folder("home/Library/Caches/com.gone.spool"));
    handTo(tree.file("home/Library/Caches/com.gone.spool/pid", 1), test::kSystemAccount); // a service's
    Trash trash(tree.path("home/.local/share/Trash"), People{});

    for (const auto& [item, entry] : {std::pair{folder, folder + "/z2-dir"}, std::pair{planted, planted}}) {
        const Trash::Outcome refused = trash.moveToTrash(item);
        EXPECT_FALSE(refused.moved) << item;
        EXPECT_TRUE(refused.trashFailed) << item;
        EXPECT_EQ(refused.keptEntry, entry);
    }
    EXPECT_TRUE(exists(folder + "/mine.db"));
    EXPECT_TRUE(exists(theirData));
    EXPECT_TRUE(exists(planted));
    EXPECT_FALSE(exists(tree.path("home/.local/share/Trash"))); // refused before the Trash was even made
    EXPECT_TRUE(trash.moveToTrash(spool).moved);

    // An application bundle is the machine's, whoever installed it; a folder merely named as one is not.
    const auto bundleMove = [&](const std::string& item) {
        return trash.moveToTrash(resolvingSymlinksInPath(item), Trash::EntriesOfOthers::moveAlongWithBundle);
    };
    const std::string notes = tree.folder("Applications/notes.app");
    handTo(tree.file("Applications/notes.app/b-sub/b.txt", 1), test::kOtherPerson);
    EXPECT_FALSE(bundleMove(notes).moved);
    EXPECT_EQ(bundleMove(folder).keptEntry, folder + "/z2-dir");
    const std::string theirBundle = tree.folder("Applications/Team/b-own.app");
    tree.textFile("Applications/Team/b-own.app/Contents/Info.plist", "x");
    for (const char* entry : {"Applications/Team/b-own.app", "Applications/Team/b-own.app/Contents",
                              "Applications/Team/b-own.app/Contents/Info.plist"})
        handTo(tree.path(entry), test::kOtherPerson);
    EXPECT_TRUE(bundleMove(theirBundle).moved);
}

TEST(Trash, AnItemThatCannotGoBackUnderItsNameGoesBackBesideItAndIsNeverReportedMoved) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    test::FixtureTree tree;
    const std::string item = resolvingSymlinksInPath(tree.folder("home/Library/Caches/com.item"));
    tree.file("home/Library/Caches/com.item/mine.db", 1);
    tree.folder("home/Library/Caches/com.item/S");
    // Once the first look is done, another person adds a file to a folder of the item they may write to,
    // and makes the item's name again as soon as it has left.
    int moves = 0;
    const Trash::Mover person = [&](int from, const std::string& fromName, int to,
                                    const std::string& toName) {
        if (moves++ == 0) {
            const std::string added = tree.file("home/Library/Caches/com.item/S/b-added", 1);
            EXPECT_EQ(::lchown(added.c_str(), test::kOtherPerson, test::kOtherPerson), 0);
        }
        const int error = renameWithoutReplacing(from, fromName, to, toName);
        if (moves == 1)
            tree.textFile("home/Library/Caches/com.item", "theirs now");
        return error;
    };
    Trash trash(tree.path("home/.local/share/Trash"), People{}, person);

    const Trash::Outcome outcome = trash.moveToTrash(item);
    EXPECT_FALSE(outcome.moved);
    EXPECT_TRUE(outcome.trashFailed);
    EXPECT_EQ(outcome.keptEntry, item + ".2/S/b-added");
    EXPECT_TRUE(exists(item + ".2/S/b-added"));
    EXPECT_TRUE(exists(item + ".2/mine.db"));
    EXPECT_EQ(slurp(item), "theirs now");
    EXPECT_TRUE(std::filesystem::is_empty(trash.homeTrash() + "/files"));
    EXPECT_TRUE(std::filesystem::is_empty(trash.homeTrash() + "/info"));
}

TEST(Trash, AnEntryAnotherPersonRenamesOverTheItemJustBeforeTheMoveGoesBackAsItWas) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    test::FixtureTree tree;
    const std::string shared = resolvingSymlinksInPath(tree.folder("home/Library/Caches/com.team.race"));
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    const std::string item = shared + "/state.db";
    tree.textFile("home/Library/Caches/com.team.race/state.db", "mine");
    const std::string theirs = tree.textFile("home/theirs.db", "theirs");
    ASSERT_EQ(::lchown(theirs.c_str(), test::kOtherPerson, test::kOtherPerson), 0);
    // Between the first look and the move, the other person puts their own file under the item's name.
    bool renamed = false;
    const Trash::Mover person = [&](int from, const std::string& fromName, int to, const std::string& toName) {
        if (!renamed) {
            renamed = true;
            EXPECT_EQ(::rename(theirs.c_str(), item.c_str()), 0);
        }
        return renameWithoutReplacing(from, fromName, to, toName);
    };
    Trash trash(tree.path("home/.local/share/Trash"), People{}, person);

    const Trash::Outcome outcome = trash.moveToTrash(item);
    EXPECT_FALSE(outcome.moved);
    EXPECT_TRUE(outcome.trashFailed);
    EXPECT_EQ(outcome.keptEntry, item);
    EXPECT_EQ(slurp(item), "theirs");
    EXPECT_TRUE(std::filesystem::is_empty(trash.homeTrash() + "/files"));
    EXPECT_TRUE(std::filesystem::is_empty(trash.homeTrash() + "/info"));
}

TEST(Trash, AFolderThatCannotBeLookedThroughIsTheItemsFailureAndStays) {
    test::FixtureTree tree;
    const std::string item = resolvingSymlinksInPath(tree.folder("home/Library/Caches/com.gone.app"));
    const std::string closed = tree.folder("home/Library/Caches/com.gone.app/closed");
    tree.file("home/Library/Caches/com.gone.app/closed/unknown", 1);
    // Neither the administrator's nor a person's: whatever it holds may be anyone's.
    if (test::runsAsRoot()) {
        ASSERT_EQ(::lchown(closed.c_str(), test::kSystemAccount, test::kSystemAccount), 0);
    }
    test::ScopedMode shut(closed, 0);
    Trash trash(tree.path("home/.local/share/Trash"), People{});
    Trash::Outcome outcome;
    {
        const test::ScopedThreadWithoutPrivileges unprivileged;
        outcome = trash.moveToTrash(item);
    }
    EXPECT_FALSE(outcome.moved);
    EXPECT_EQ(outcome.errorNumber, EACCES);
    EXPECT_FALSE(outcome.trashFailed); // the item's own: the administrator pass may look through it
    EXPECT_TRUE(exists(item + "/closed"));
}

TEST(Trash, AnItemWhereAFileSystemIsMountedNeverMovesAndLeavesNoTrashBehind) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToMount;
    test::FixtureTree tree;
    const std::string volume = tree.folder("home/Library/Caches/Zorblax Volume");
    test::ScopedTmpfsMount mounted(volume);
    if (mounted.error())
        GTEST_SKIP() << test::kNeedsRootToMount << " (" << std::strerror(mounted.error()) << ")";
    tree.file("home/Library/Caches/Zorblax Volume/cache.bin", 1);
    Trash trash(tree.path("home/.local/share/Trash"));
    const Trash::Outcome outcome = trash.moveToTrash(resolvingSymlinksInPath(volume));
    EXPECT_FALSE(outcome.moved);
    EXPECT_EQ(outcome.errorNumber, EBUSY);
    const std::string uid = std::to_string(::getuid());
    for (const std::string& folder : {tree.path("home/Library/Caches"), volume})
        for (const std::string& stray : {"/.Trash-" + uid, std::string("/.Trash")})
            EXPECT_FALSE(exists(folder + stray)) << folder + stray;
    EXPECT_TRUE(exists(volume + "/cache.bin"));
}

// A mounted file system's top folder with a shared, sticky ".Trash", and the two places of this user's
// Trash on it.
class MountTrashTest : public ::testing::Test {
protected:
    MountTrashTest() { ::chmod(shared.c_str(), 01777); }

    // The path of the Trash that opened, or "".
    std::string mountTrash(uid_t owner) {
        const auto folders = Trash::openMountTrash(top, owner, error);
        return folders ? folders->path : "";
    }

    test::FixtureTree tree;
    const uid_t user = ::getuid();
    const std::string uid = std::to_string(user);
    const std::string top = resolvingSymlinksInPath(tree.folder("mount"));
    const std::string shared = resolvingSymlinksInPath(tree.folder("mount/.Trash"));
    const std::string userTrash = shared + "/" + uid;
    const std::string ownTrash = top + "/.Trash-" + uid;
    int error = 0;
};

TEST_F(MountTrashTest, AMountsTrashIsUsedOnlyWhenItIsTheUsersAlone) {
    EXPECT_EQ(mountTrash(user), userTrash); // made fresh
    EXPECT_TRUE(exists(userTrash + "/files"));

    // A folder others may write to, and a link, are passed over.
    ASSERT_EQ(::chmod(userTrash.c_str(), 0770), 0);
    EXPECT_EQ(mountTrash(user), ownTrash);
    std::filesystem::remove_all(userTrash);
    tree.folder("elsewhere");
    tree.symlink("mount/.Trash/" + uid, tree.path("elsewhere"));
    EXPECT_EQ(mountTrash(user), ownTrash);
    EXPECT_FALSE(exists(tree.path("elsewhere/files")));

    // Without the sticky bit the shared Trash is not used at all.
    std::filesystem::remove(userTrash);
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    EXPECT_EQ(mountTrash(user), ownTrash);
    EXPECT_FALSE(exists(userTrash));

    // Folders under another user's number that are not that user's own leave that user no Trash.
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    error = 0;
    EXPECT_EQ(mountTrash(user + 1), "");
    EXPECT_EQ(error, EXDEV);
}

TEST_F(MountTrashTest, AFolderUnderTheUsersNumberThatBelongsToSomeoneElseIsPassedOver) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    tree.folder("mount/.Trash/" + uid);
    ASSERT_EQ(::lchown(userTrash.c_str(), test::kOtherUser, test::kOtherUser), 0);
    EXPECT_EQ(mountTrash(user), ownTrash);
    ASSERT_EQ(::lchown(ownTrash.c_str(), test::kOtherUser, test::kOtherUser), 0);
    error = 0;
    EXPECT_EQ(mountTrash(user), "");
    EXPECT_EQ(error, EXDEV);
}

TEST_F(MountTrashTest, TheUsersFolderSwappedForALinkNeverLeadsTheTrashAway) {
    // Whoever owns the shared folder may swap the user's folder for a link to one of theirs at any moment.
    ASSERT_EQ(mountTrash(user), userTrash);
    tree.folder("theirs/files");
    tree.folder("theirs/info");
    test::EntrySwapper swapper(userTrash, tree.symlink("mount/.Trash/decoy", tree.path("theirs")));
    int opened = 0;
    for (int attempt = 0; attempt < 2000; ++attempt) {
        const auto folders = Trash::openMountTrash(top, user, error);
        if (!folders)
            continue;
        ++opened;
        const std::string name = "probe-" + std::to_string(attempt);
        const int fd =
            ::openat(folders->files.get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0)
            ::close(fd);
    }
    EXPECT_GT(opened, 0);
    EXPECT_TRUE(std::filesystem::is_empty(tree.path("theirs/files")));
}

} // namespace
} // namespace zn
