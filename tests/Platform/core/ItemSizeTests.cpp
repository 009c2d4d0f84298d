#include "Platform/core/ItemSize.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zn {
namespace {

std::int64_t allocated(const std::string& path) {
    struct stat info;
    ::lstat(path.c_str(), &info);
    return static_cast<std::int64_t>(info.st_blocks) * 512;
}

TEST(ItemSize, AFileTakesItsAllocatedSpaceAndAFolderThatOfItsFiles) {
    test::FixtureTree tree;
    const std::string a = tree.textFile("bundle/Contents/a", std::string(10000, 'a'));
    const std::string b = tree.textFile("bundle/Contents/Resources/b", std::string(50000, 'b'));
    const std::string outside = tree.textFile("outside/big", std::string(200000, 'c'));
    const std::string link = tree.symlink("bundle/Contents/link", tree.path("outside"));
    const std::string sparse = tree.file("sparse", 1 << 20);

    EXPECT_GT(allocated(a), 0);
    EXPECT_EQ(listedFileSize(a), allocated(a));
    // Links are never followed: the folder outside does not count.
    EXPECT_EQ(listedItemSize(tree.path("bundle")), allocated(a) + allocated(b));
    EXPECT_EQ(listedItemSize(link), allocated(link));
    EXPECT_EQ(listedItemSize(sparse), allocated(sparse)); // what it takes, not what it claims
    EXPECT_EQ(listedItemSize(tree.path("missing")), std::nullopt);
    EXPECT_TRUE(isFolderEntry(tree.path("bundle")));
    EXPECT_FALSE(isFolderEntry(link));
    EXPECT_GT(listedItemSize(outside), 0);
}

} // namespace
} // namespace zn
