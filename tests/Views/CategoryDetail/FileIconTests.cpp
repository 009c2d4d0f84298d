#include "Views/CategoryDetail/FileIcon.h"
#include "support/FixtureTree.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(FileIcon, TheNameDecidesBeforeTheFileSystem) {
    test::FixtureTree tree;
    EXPECT_EQ(fileIconSymbol("Report.LOG", tree.path("missing")), "doc.text");
    EXPECT_EQ(fileIconSymbol("notes.txt", tree.path("missing")), "doc.text");
    EXPECT_EQ(fileIconSymbol("Archive.TAR", tree.path("missing")), "doc.zipper");
    EXPECT_EQ(fileIconSymbol("backup.tar.gz", tree.path("missing")), "doc.zipper");
    EXPECT_EQ(fileIconSymbol("Ubuntu.iso", tree.path("missing")), "opticaldisc");
    // Folders with a known extension keep its symbol; a folder's name, not its path, decides.
    EXPECT_EQ(fileIconSymbol("Installer.pkg", tree.folder("Downloads/Installer.pkg")), "shippingbox");
    EXPECT_EQ(fileIconSymbol("Tool.app", tree.folder("Applications/Tool.app")), "app");
    EXPECT_EQ(fileIconSymbol("data.txt", tree.folder("Library/data")), "doc.text");

    EXPECT_EQ(fileIconSymbol("com.example", tree.folder("Library/Caches/com.example")), "folder");
    const std::string plain = tree.folder("Library/Caches/Thumbnails");
    EXPECT_EQ(fileIconSymbol("Thumbnails", plain), "folder");
    std::filesystem::remove_all(plain);
    EXPECT_EQ(fileIconSymbol("Thumbnails", plain), "doc");
    EXPECT_EQ(fileIconSymbol("Makefile", tree.file("src/Makefile", 10)), "doc");
    EXPECT_EQ(fileIconSymbol(".hidden", tree.file("src/.hidden", 10)), "doc");
}

} // namespace
} // namespace zn
