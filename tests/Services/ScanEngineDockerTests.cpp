#include "Services/ScanEngine.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"
#include "support/ResultQueries.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using test::FixtureTree;
using test::namesOf;

constexpr const char* kReclaimableName = "More Docker space you can free";

std::string printing(const std::string& text, int status = 0) {
    return "#!/bin/sh\nprintf '" + text + "'\nexit " + std::to_string(status) + "\n";
}

void makeDockerFolders(FixtureTree& tree, const std::string& home) {
    tree.file(home + "/Library/Containers/com.docker.docker/Data/cache/a", 1000);
    tree.file(home + "/Library/Containers/com.docker.docker/Data/log/vm/console.log", 2000);
    tree.file(home + "/Library/Containers/com.docker.docker/Data/tmp/b", 3000);
    tree.file(home + "/Library/Group Containers/group.com.docker/Caches/c", 4000);
    tree.file(home + "/.docker/cli-plugins/.cache/d", 5000);
    tree.file(home + "/.docker/buildx/cache/e", 6000);
}

TEST(ScanEngineDocker, FoldersThenTheReclaimableSpaceLastAndUnselected) {
    FixtureTree tree;
    makeDockerFolders(tree, "home");
    const std::string docker = tree.executable(
        "system/usr/local/bin/docker", "#!/bin/sh\n[ \"$*\" = 'system df --format {{.Reclaimable}}' ] "
                                       "|| exit 2\nprintf '2.5GB (50%%)\\n0B (0%%)\\n'\n");
    tree.executable("system/opt/homebrew/bin/docker", printing("9TB\\n"));
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    CategoryResult result = engine.scanDockerCache();
    EXPECT_EQ(result.category, CleaningCategory::dockerCache);
    EXPECT_EQ(namesOf(result), (std::vector<std::string>{"Docker build files", "Docker activity files",
                                                         "Docker temporary files", "Docker helper files",
                                                         "Docker plugin downloads", "Docker builder files",
                                                         kReclaimableName}));
    EXPECT_EQ(result.items[4].path, tree.path("home/.docker/cli-plugins/.cache"));
    EXPECT_EQ(result.items[4].size, 5000);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_TRUE(result.items[i].isSelected);
    const CleanableItem& reclaimable = result.items.back();
    EXPECT_FALSE(reclaimable.isSelected);
    EXPECT_EQ(reclaimable.path, docker);
    EXPECT_EQ(reclaimable.size, 2'500'000'000);
    EXPECT_FALSE(reclaimable.lastModified);
    EXPECT_EQ(result.totalSize, 2'500'021'000);
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEngineDocker, NamesTestTheWholePathHomeIncluded) {
    FixtureTree tree;
    makeDockerFolders(tree, "cli-plugins/home");
    ScanEngine engine(tree.path("cli-plugins/home"), test::fixtureEngineOptions(tree));

    EXPECT_EQ(namesOf(engine.scanDockerCache()),
              (std::vector<std::string>{"Docker build files", "Docker activity files",
                                        "Docker temporary files", "Docker helper files",
                                        "Docker plugin downloads", "Docker plugin downloads"}));
}

TEST(ScanEngineDocker, NoReclaimableItemWithoutAPositiveAnswer) {
    FixtureTree tree;
    ScanEngine engine(tree.folder("home"), test::fixtureEngineOptions(tree));
    {
        test::LogCapture log;
        CategoryResult result = engine.scanDockerCache();
        EXPECT_TRUE(result.items.empty());
        EXPECT_EQ(result.totalSize, 0);
        EXPECT_TRUE(log.entries().empty());
    }

    for (const std::string& script :
         {printing("\\n\\n  \\n"), printing("-1GB\\n500MB\\n"), printing("1GB\\n", 1),
          printing("(50%%)\\nsoon\\n"), printing("\\377GB\\n")}) {
        tree.executable("system/opt/homebrew/bin/docker", script);
        test::LogCapture log;
        EXPECT_TRUE(engine.scanDockerCache().items.empty()) << script;
        EXPECT_TRUE(log.entries().empty()) << script;
    }

    // Present but not executable: it exists, so it is asked, and cannot start.
    tree.file("system/usr/local/bin/docker", 10);
    test::LogCapture log;
    EXPECT_TRUE(engine.scanDockerCache().items.empty());
    auto entries = log.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].message, "docker system df failed: Permission denied");
    EXPECT_EQ(entries[0].level, LogLevel::warning);
    EXPECT_EQ(entries[0].source, "reclaimableDockerSpace(dockerBin:)");
}

TEST(ScanEngineDocker, ReclaimableSizesAreSummedAndOverflowIsSkipped) {
    FixtureTree tree;
    tree.executable("system/usr/local/bin/docker", printing("1.5GB (20%%)\\n\\n  300MB   (1%%)\\n9000000TB\\n"
                                                            "9000000TB\\n-2B\\n"));
    ScanEngine engine(tree.folder("home"), test::fixtureEngineOptions(tree));

    CategoryResult result = engine.scanDockerCache();
    ASSERT_EQ(result.items.size(), 1u);
    // 9,000,000 TB fits once; the second would overflow the sum and is skipped.
    EXPECT_EQ(result.items[0].size, 1'500'000'000 + 300'000'000 + 9'000'000'000'000'000'000 - 2);
}

TEST(ScanEngineDocker, ParseHumanBytes) {
    const std::vector<std::pair<std::string, std::optional<std::int64_t>>> cases{
        {"2.5GB", 2'500'000'000},
        {"1.005kB", 1004}, // the product lies just below 1,005 and is truncated
        {"512B", 512},
        {"2KB", 2000},
        {"2kB", 2000},
        {"1TB", 1'000'000'000'000},
        {"0.5MB", 500'000},
        {"-1GB", -1'000'000'000},
        {"+3MB", 3'000'000},
        {"1e3B", 1000},
        {".5kB", 500},
        {"5.GB", 5'000'000'000},
        {" \t4MB\t ", 4'000'000},
        {"3 GB", std::nullopt},
        {"1.5GiB", std::nullopt},
        {"1,5GB", std::nullopt},
        {"42", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"GB", std::nullopt},
        {"(50%)", std::nullopt},
        {"infGB", std::nullopt},
        {"nanB", std::nullopt},
        {"0x10B", std::nullopt},
        {"1e300TB", std::nullopt},
        {"9223372036854775807B", std::nullopt}, // rounds to 2^63 as a double: past the range
        {"-9223372036854775808B", std::numeric_limits<std::int64_t>::min()},
        {"\n5GB", std::nullopt},
        {"\v5GB", std::nullopt},
        {"5GB\n", std::nullopt},
        {"1e5", std::nullopt},
        {"5gb", std::nullopt},
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(ScanEngine::parseHumanBytes(text), bytes) << '"' << text << '"';
}

} // namespace
} // namespace zn
