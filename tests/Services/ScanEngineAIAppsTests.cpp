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

TEST(ScanEngineAIApps, EightTargetsWithTheirOwnSelection) {
    FixtureTree tree;
    tree.file("home/.ollama/logs/server.log", 2000);
    tree.file("home/Library/Caches/ollama/blob", 2000);
    tree.file("home/Library/Caches/com.electron.ollama/Cache/data", 2000);
    tree.file("home/Library/WebKit/com.electron.ollama/WebsiteData/x", 2000);
    tree.file("home/Library/Saved Application State/com.electron.ollama.savedState/windows.plist", 2000);
    tree.file("home/.ollama/history", 0);
    tree.file("home/.lmstudio/server-logs/2024-01.log", 2000);
    tree.file("home/.lmstudio/conversations/chat.json", 3'000'000'000);
    tree.file("home/.ollama/models/blobs/sha256-x", 4'000'000'000); // the models themselves are never offered
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    CategoryResult result = engine.scanAIApps();
    EXPECT_EQ(result.category, CleaningCategory::aiApps);
    // Largest first; equal sizes keep the table order, Ollama before LM Studio.
    EXPECT_EQ(namesOf(result),
              (std::vector<std::string>{"LM Studio conversations (review)", "Ollama activity files",
                                        "Ollama extra files", "Ollama app support files",
                                        "Ollama WebKit Data", "Ollama Saved State",
                                        "LM Studio activity files", "Ollama prompt history (review)"}));
    EXPECT_EQ(result.items[0].path, tree.path("home/.lmstudio/conversations"));
    EXPECT_FALSE(result.items[0].isSelected);
    EXPECT_EQ(result.items[7].path, tree.path("home/.ollama/history"));
    EXPECT_EQ(result.items[7].size, 0);
    EXPECT_FALSE(result.items[7].isSelected);
    for (std::size_t i = 1; i < 7; ++i)
        EXPECT_TRUE(result.items[i].isSelected) << result.items[i].name;
    EXPECT_EQ(result.totalSize, 3'000'012'000);
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEngineAIApps, ActivityFilesFromOneKilobyte) {
    FixtureTree tree;
    tree.file("home/.ollama/logs/server.log", 1000);
    tree.file("home/.lmstudio/conversations/empty", 0);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    EXPECT_EQ(namesOf(engine.scanAIApps()), std::vector<std::string>{"LM Studio conversations (review)"});

    tree.file("home/.ollama/logs/server.log", 1024);
    CategoryResult result = engine.scanAIApps();
    ASSERT_EQ(namesOf(result),
              (std::vector<std::string>{"Ollama activity files", "LM Studio conversations (review)"}));
    EXPECT_TRUE(result.items[0].isSelected);
    EXPECT_EQ(result.totalSize, 1024);
}

} // namespace
} // namespace zn
