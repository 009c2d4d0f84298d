#include "Services/ScanEngine.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"
#include "support/ResultQueries.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace zn {
namespace {

using test::FixtureTree;
using test::pathsOf;

constexpr const char* kNotFound =
    "Homebrew not found at standard paths; scanning default cache location only";

// A fake `brew` that prints whatever the test last wrote into its answer file.
struct FakeBrew {
    FixtureTree& tree;
    std::string answerFile;

    FakeBrew(FixtureTree& tree, const std::string& place) : tree(tree), answerFile(tree.path("brew-answer")) {
        tree.textFile("brew-answer", "");
        tree.executable(place, "#!/bin/sh\ncat '" + answerFile + "'\n");
    }
    void answers(const std::string& text) { tree.textFile("brew-answer", text); }
};

TEST(ScanEngineHomebrew, OptPlaceIsAskedAndItsAnswerIsASecondItem) {
    FixtureTree tree;
    tree.file("home/Library/Caches/Homebrew/downloads/bottle.tar.gz", 4000);
    tree.file("system/opt/homebrew/Library/Caches/Homebrew/downloads/other.tar.gz", 6000);
    tree.executable("system/opt/homebrew/bin/brew", "#!/bin/sh\n[ \"$1\" = --cache ] && echo '" +
                                                        tree.path("system/opt/homebrew/Library/Caches") +
                                                        "'\nexit 3\n");
    tree.executable("system/usr/local/bin/brew",
                    "#!/bin/sh\necho '" + tree.path("home/Library/Caches/Homebrew") + "'\n");
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    CategoryResult result = engine.scanBrewCache();
    EXPECT_EQ(result.category, CleaningCategory::brewCache);
    EXPECT_EQ(pathsOf(result), (std::vector<std::string>{tree.path("home/Library/Caches/Homebrew"),
                                                         tree.path("system/opt/homebrew/Library/Caches")}));
    EXPECT_EQ(result.totalSize, 10'000);
    for (const auto& item : result.items) {
        EXPECT_EQ(item.name, "Coding tool downloads");
        EXPECT_TRUE(item.isSelected);
        EXPECT_FALSE(item.lastModified);
    }
    EXPECT_TRUE(log.entries().empty()); // the exit status is not examined
}

TEST(ScanEngineHomebrew, VariablesOfHomebrewAreRemovedOthersStay) {
    FixtureTree tree;
    tree.file("system/usr/local/Homebrew/Library/Caches/x", 2000);
    tree.executable("system/usr/local/bin/brew",
                    "#!/bin/sh\n[ -n \"$HOMEBREW_X\" ] && echo /\necho \"$homebrew_x\"\n");
    ::setenv("HOMEBREW_X", "set", 1);
    ::setenv("homebrew_x", tree.path("system/usr/local/Homebrew/Library/Caches").c_str(), 1);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    CategoryResult result = engine.scanBrewCache();
    ::unsetenv("HOMEBREW_X");
    ::unsetenv("homebrew_x");
    EXPECT_EQ(pathsOf(result),
              (std::vector<std::string>{tree.path("system/usr/local/Homebrew/Library/Caches")}));
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEngineHomebrew, AnswersOutsideTheCacheRootsAreRefused) {
    FixtureTree tree;
    tree.file("home/Library/Caches/Homebrew/a", 1000);
    tree.file("home/Library/Caches/HomebrewOld/b", 1000);
    tree.file("system/opt/homebrew/Library/Caches/c", 1000);
    // Inside a root as text, but the home folder once the link is followed.
    tree.symlink("home/Library/Caches/Homebrew/home-link", tree.path("home"));
    FakeBrew brew(tree, "system/usr/local/bin/brew");
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    const std::string root = tree.path("system/opt/homebrew/Library/Caches");

    for (const std::string& answer :
         {tree.path("home/Library/Caches/HomebrewOld"), root + "/../../../..", tree.path("home"),
          std::string("/"), std::string("/tmp"), tree.path("home/Library/Caches"),
          std::string("Library/Caches/Homebrew"), tree.path("home/Library/Caches/Homebrew/home-link")}) {
        brew.answers("  " + answer + "\n");
        test::LogCapture log;
        CategoryResult result = engine.scanBrewCache();
        EXPECT_EQ(pathsOf(result), (std::vector<std::string>{tree.path("home/Library/Caches/Homebrew")}))
            << answer;
        auto entries = log.entries();
        ASSERT_EQ(entries.size(), 2u) << answer;
        EXPECT_EQ(entries[0].message, "Refusing suspicious brew cache path: " + answer);
        EXPECT_EQ(entries[0].level, LogLevel::warning);
        EXPECT_EQ(entries[1].message, kNotFound);
        EXPECT_EQ(entries[1].level, LogLevel::info);
        for (const auto& entry : entries)
            EXPECT_EQ(entry.source, "scanBrewCache()");
    }
}

TEST(ScanEngineHomebrew, AcceptedAnswersInsideTheDefaultAddNoSecondCount) {
    FixtureTree tree;
    tree.file("home/Library/Caches/Homebrew/downloads/a", 3000);
    FakeBrew brew(tree, "system/opt/homebrew/bin/brew");
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    const std::vector<std::string> defaultOnly{tree.path("home/Library/Caches/Homebrew")};

    for (const std::string& answer :
         {tree.path("home/Library/Caches/Homebrew") + "\n", std::string("~/Library/Caches/Homebrew/"),
          tree.path("home/Library/Caches/Homebrew/downloads"),
          std::string("~/Library/Caches/Homebrew/downloads")}) {
        brew.answers(answer);
        test::LogCapture log;
        CategoryResult result = engine.scanBrewCache();
        EXPECT_EQ(pathsOf(result), defaultOnly) << answer;
        EXPECT_EQ(result.totalSize, 3000) << answer;
        EXPECT_TRUE(log.entries().empty()) << answer;
    }
}

TEST(ScanEngineHomebrew, WithoutAnAnswerOnlyTheDefaultFolder) {
    FixtureTree tree;
    tree.file("home/Library/Caches/Homebrew/a", 3000);
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    {
        test::LogCapture log;
        EXPECT_EQ(engine.scanBrewCache().totalSize, 3000);
        EXPECT_EQ(log.messages(), std::vector<std::string>{kNotFound});
    }

    // Present but not executable: it exists, so it is run, and cannot start.
    const std::string brew = tree.file("system/opt/homebrew/bin/brew", 10);
    {
        test::LogCapture log;
        EXPECT_EQ(engine.scanBrewCache().totalSize, 3000);
        auto entries = log.entries();
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].message, "Failed to run " + brew + " --cache: Permission denied");
        EXPECT_EQ(entries[0].level, LogLevel::warning);
        EXPECT_EQ(entries[1].message, kNotFound);
    }

    for (const std::string script :
         {"#!/bin/sh\nprintf ' \\n\\t\\n'\n", "#!/bin/sh\nprintf '\\377\\376\\n'\n"}) {
        tree.executable("system/opt/homebrew/bin/brew", script);
        test::LogCapture log;
        EXPECT_EQ(engine.scanBrewCache().items.size(), 1u);
        EXPECT_EQ(log.messages(), std::vector<std::string>{kNotFound});
    }
}

} // namespace
} // namespace zn
