#include "Platform/core/RegularFile.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace zn {
namespace {

TEST(RegularFile, ReadsOnlyRegularFilesWithinTheLimit) {
    test::FixtureTree tree;
    const std::string text = tree.textFile("notes.txt", "hello, world");
    EXPECT_EQ(readRegularFile(text, 100), "hello, world");
    EXPECT_EQ(readRegularFile(text, 12), "hello, world");
    EXPECT_EQ(readRegularFile(text, 11), std::nullopt); // larger than the limit
    EXPECT_EQ(readRegularFileHead(text, 5), "hello");
    EXPECT_EQ(readRegularFileHead(text, 100), "hello, world");
    EXPECT_EQ(readRegularFile(tree.textFile("empty", ""), 10), "");

    // Anything else is refused without waiting: a named pipe nobody writes to, a folder, a link to a pipe.
    const std::string pipe = tree.path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_EQ(readRegularFile(pipe, 100), std::nullopt);
    EXPECT_EQ(readRegularFileHead(pipe, 100), std::nullopt);
    EXPECT_EQ(readRegularFile(tree.symlink("to-pipe", pipe), 100), std::nullopt);
    EXPECT_EQ(readRegularFile(tree.folder("folder"), 100), std::nullopt);
    EXPECT_EQ(readRegularFile(tree.path("missing"), 100), std::nullopt);
    // A link to a regular file is read through.
    EXPECT_EQ(readRegularFile(tree.symlink("to-notes", text), 100), "hello, world");
}

} // namespace
} // namespace zn
