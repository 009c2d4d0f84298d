#include "Platform/qt/Trash.h"
#include "support/FixtureTree.h"

#include <QSettings>
#include <QUrl>
#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

namespace zn {
namespace {

std::string slurp(const std::string& path) {
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
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
    EXPECT_EQ(QUrl::fromPercentEncoding(QByteArray::fromStdString(encoded)).toStdString(), file);
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

} // namespace
} // namespace zn
