#include "Services/CleaningEngine.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace zn {
namespace {

using test::exists;
using test::itemAt;

// The desktop's home Trash of a fixture home, emptied through the Trash category.
class CleaningTheTrash : public ::testing::Test {
protected:
    CleaningEngine engineFor(const std::string& home, std::optional<std::string> dataHome = std::nullopt,
                             uid_t callingUser = ::getuid()) {
        CleaningEngineOptions options;
        options.callingUser = callingUser;
        options.adminRunner = runner;
        options.temporaryDirectory = tree.folder("tmp");
        options.systemFolders = test::fixtureCleaningFolders(tree);
        options.dataHome = std::move(dataHome);
        return CleaningEngine(home, options);
    }
    // A trashed entry of `size` bytes with its record, in the Trash folder `trash` of the tree.
    std::string trashed(const std::string& trash, const std::string& name) {
        tree.textFile(trash + "/info/" + name + ".trashinfo", "[Trash Info]\nPath=/x\n");
        return tree.file(trash + "/files/" + name, 2000);
    }
    CleanableItem trashItem(const std::string& path) {
        return itemAt(path, 2000, CleaningCategory::trashBins);
    }

    test::FixtureTree tree;
    std::string home = tree.folder("home");
    std::shared_ptr<test::RecordingAdminRunner> runner = std::make_shared<test::RecordingAdminRunner>();
    test::LogCapture log;
};

TEST_F(CleaningTheTrash, AnEntryGoesWithItsRecord) {
    const std::string trash = "home/.local/share/Trash";
    const std::string file = trashed(trash, "report.pdf");
    trashed(trash, "report"); // not cleaned: it stays, record and all
    const std::string folder = tree.path(trash + "/files/Old Project");
    tree.file(trash + "/files/Old Project/src/main.c", 2000);
    tree.textFile(trash + "/info/Old Project.trashinfo", "[Trash Info]\n");
    const std::string unrecorded = tree.file(trash + "/files/no record", 2000);
    // A record whose entry is gone already goes when that entry is cleaned.
    tree.textFile(trash + "/info/vanished.trashinfo", "[Trash Info]\n");
    const std::string vanished = tree.path(trash + "/files/vanished");
    CleaningEngine engine = engineFor(home);

    CleaningResult result = engine.cleanItems(
        {trashItem(file), trashItem(folder), trashItem(unrecorded), trashItem(vanished)}, nullptr);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(result.deletedCount, 3);
    for (const char* name : {"report.pdf", "Old Project", "no record", "vanished"}) {
        EXPECT_FALSE(exists(tree.path(trash + "/files/" + name))) << name;
        EXPECT_FALSE(exists(tree.path(trash + "/info/" + name + ".trashinfo"))) << name;
    }
    EXPECT_TRUE(exists(tree.path(trash + "/files/report")));
    EXPECT_TRUE(exists(tree.path(trash + "/info/report.trashinfo")));
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(CleaningTheTrash, AnEntryRemovedAsAdministratorGoesWithItsRecord) {
    const std::string removed = trashed("home/.local/share/Trash", "protected");
    const std::string survivor = trashed("home/.local/share/Trash", "stubborn");
    runner->onRun = [&](const AdminCommand&) {
        std::filesystem::remove(removed);
        return AdminRunOutcome{AdminRunOutcome::Status::succeeded, {}};
    };
    CleaningResult result =
        engineFor(home).cleanWithAdminPrivileges({trashItem(removed), trashItem(survivor)});
    EXPECT_EQ(result.deletedCount, 1);
    EXPECT_FALSE(exists(tree.path("home/.local/share/Trash/info/protected.trashinfo")));
    EXPECT_TRUE(exists(tree.path("home/.local/share/Trash/info/stubborn.trashinfo")));
}

TEST_F(CleaningTheTrash, OnlyTheDataHomesTrashIsAnAllowedPlace) {
    const std::string inData = trashed("data/Trash", "a.bin");
    const std::string inHome = trashed("home/.local/share/Trash", "b.bin");
    const std::string oldPlace = tree.file("home/.Trash/c.bin", 2000);
    CleaningEngine engine = engineFor(home, tree.path("data"));
    EXPECT_TRUE(engine.isSafeToDelete(inData));
    EXPECT_FALSE(engine.isSafeToDelete(tree.path("data/Trash/files")));
    EXPECT_FALSE(engine.isSafeToDelete(tree.path("data/Trash/info/a.bin.trashinfo")));
    EXPECT_FALSE(engine.isSafeToDelete(inHome));
    EXPECT_FALSE(engine.isSafeToDelete(oldPlace));

    CleaningResult result = engine.cleanItems(
        {trashItem(inData), trashItem(inHome), trashItem(oldPlace), trashItem(tree.path("data/Trash/files"))},
        nullptr);
    EXPECT_EQ(result.deletedCount, 1);
    EXPECT_EQ(result.errors.size(), 3u);
    EXPECT_FALSE(exists(inData));
    EXPECT_FALSE(exists(tree.path("data/Trash/info/a.bin.trashinfo")));
    EXPECT_TRUE(exists(inHome));
    EXPECT_TRUE(exists(tree.path("home/.local/share/Trash/info/b.bin.trashinfo")));
    EXPECT_TRUE(exists(oldPlace));
    EXPECT_TRUE(exists(tree.path("data/Trash/files")));
}

TEST_F(CleaningTheTrash, ATrashBehindALinkIsRefused) {
    const std::string outside = trashed("outside/share/Trash", "precious.bin");
    tree.symlink("linked-local/.local", tree.path("outside"));
    tree.symlink("linked-share/.local/share", tree.path("outside/share"));
    tree.symlink("linked-trash/.local/share/Trash", tree.path("outside/share/Trash"));
    tree.symlink("linked-files/.local/share/Trash/files", tree.path("outside/share/Trash/files"));
    for (const char* linked : {"linked-local", "linked-share", "linked-trash", "linked-files"}) {
        const std::string forged = tree.path(std::string(linked) + "/.local/share/Trash/files/precious.bin");
        CleaningResult result = engineFor(tree.path(linked)).cleanItems({trashItem(forged)}, nullptr);
        EXPECT_EQ(result.deletedCount, 0) << linked;
        EXPECT_EQ(result.errors.size(), 1u) << linked;
        EXPECT_TRUE(exists(outside)) << linked;
        EXPECT_TRUE(exists(tree.path("outside/share/Trash/info/precious.bin.trashinfo"))) << linked;
    }
    // A data home through a link, too.
    tree.symlink("linked-data", tree.path("outside/share"));
    CleaningResult result =
        engineFor(home, tree.path("linked-data"))
            .cleanItems({trashItem(tree.path("linked-data/Trash/files/precious.bin"))}, nullptr);
    EXPECT_EQ(result.deletedCount, 0);
    EXPECT_TRUE(exists(outside));
}

TEST_F(CleaningTheTrash, ATrashThatIsNotTheUsersAloneIsNeverEmptied) {
    // A data home of another user's, or a Trash that others may change: its entries need not be the user's,
    // and the administrator pass could remove anyone's.
    const std::string entry = trashed("data/Trash", "theirs.bin");
    auto expectKept = [&](CleaningEngine engine, const std::string& why) {
        const CleaningResult result = engine.cleanItems({trashItem(entry)}, nullptr);
        EXPECT_EQ(result.deletedCount, 0) << why;
        EXPECT_EQ(result.errors.size(), 1u) << why;
        EXPECT_TRUE(engine.cleanWithAdminPrivileges({trashItem(entry)}).deletedPaths.empty()) << why;
        EXPECT_TRUE(runner->commands.empty()) << why;
        EXPECT_TRUE(exists(entry)) << why;
        EXPECT_TRUE(exists(tree.path("data/Trash/info/theirs.bin.trashinfo"))) << why;
    };
    expectKept(engineFor(home, tree.path("data"), ::getuid() + 1), "another user's");
    for (const char* folder : {"data/Trash", "data/Trash/files", "data/Trash/info"}) {
        test::ScopedMode shared(tree.path(folder), 0777);
        expectKept(engineFor(home, tree.path("data")), folder);
    }
    EXPECT_EQ(engineFor(home, tree.path("data")).cleanItems({trashItem(entry)}, nullptr).deletedCount, 1);
}

TEST_F(CleaningTheTrash, ARecordThatIsALinkOrAFolderStays) {
    const std::string trash = "home/.local/share/Trash";
    const std::string target = tree.textFile("outside/precious", "keep");
    const std::string linkedEntry = tree.file(trash + "/files/linked", 2000);
    tree.symlink(trash + "/info/linked.trashinfo", target);
    const std::string folderEntry = tree.file(trash + "/files/folder", 2000);
    tree.file(trash + "/info/folder.trashinfo/inside", 1);

    CleaningResult result =
        engineFor(home).cleanItems({trashItem(linkedEntry), trashItem(folderEntry)}, nullptr);
    EXPECT_EQ(result.deletedCount, 2);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_TRUE(exists(tree.path(trash + "/info/linked.trashinfo")));
    EXPECT_TRUE(exists(target));
    EXPECT_TRUE(exists(tree.path(trash + "/info/folder.trashinfo/inside")));
    EXPECT_EQ(log.lines().size(), 2u); // each record that stayed is logged
}

} // namespace
} // namespace zn
