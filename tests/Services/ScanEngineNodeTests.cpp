#include "Services/ScanEngine.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/LogCapture.h"
#include "support/ResultQueries.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using test::FixtureTree;
using test::pathsOf;

std::string printing(const std::string& text, int status = 0) {
    return "#!/bin/sh\nprintf '%s' '" + text + "'\nexit " + std::to_string(status) + "\n";
}

TEST(ScanEngineNode, NothingInstalledNothingOffered) {
    FixtureTree tree;
    ScanEngine engine(tree.folder("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;
    CategoryResult result = engine.scanNodeCache();
    EXPECT_EQ(result.category, CleaningCategory::nodeCache);
    EXPECT_TRUE(result.items.empty());
    EXPECT_EQ(result.totalSize, 0);
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEngineNode, DefaultFoldersAndToolAnswersInManagerOrder) {
    FixtureTree tree;
    tree.file("home/.npm/_cacache/index", 1000);
    tree.file("home/Library/Caches/Yarn/v6/pkg", 2000);
    tree.file("home/Library/pnpm/store/v3/files", 3000);
    tree.file("elsewhere/pnpm-store/v3/files", 4000);
    tree.folder("home/.nvm/versions/node/v16.20.0/bin");
    tree.executable("home/.nvm/versions/node/v18.19.0/bin/yarn",
                    printing(tree.path("home/Library/Caches/Yarn")));
    // npm answers with "~" for the home folder: the same as its default.
    tree.executable("system/usr/local/bin/npm", printing("~/.npm\n"));
    tree.executable("system/usr/local/bin/pnpm", printing(tree.path("elsewhere/pnpm-store") + "\n"));
    tree.executable("system/opt/homebrew/bin/pnpm", printing(tree.path("elsewhere/pnpm-store") + "\n"));
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    CategoryResult result = engine.scanNodeCache();
    EXPECT_EQ(pathsOf(result), (std::vector<std::string>{
                                   tree.path("home/.npm"), tree.path("home/Library/Caches/Yarn"),
                                   tree.path("home/Library/pnpm/store"), tree.path("elsewhere/pnpm-store")}));
    std::vector<std::string> names;
    for (const auto& item : result.items) {
        names.push_back(item.name);
        EXPECT_TRUE(item.isSelected);
        EXPECT_FALSE(item.lastModified);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"npm downloads", "Yarn downloads", "pnpm downloaded packages",
                                               "pnpm downloaded packages"}));
    EXPECT_EQ(result.totalSize, 10'000);
    EXPECT_TRUE(log.entries().empty());
}

TEST(ScanEngineNode, LocatesToolsInOrderAndOnlyExecutableFiles) {
    FixtureTree tree;
    const std::string opt = tree.path("system/opt/homebrew/bin");
    const std::string local = tree.path("system/usr/local/bin");
    const std::string nvm = tree.path("home/.nvm/versions/node");
    tree.file("system/opt/homebrew/bin/yarn", 100); // not executable
    tree.folder("system/opt/homebrew/bin/pnpm");    // a folder, not a tool
    const std::string localYarn = tree.executable("system/usr/local/bin/yarn", printing(""));
    const std::string optNpm = tree.executable("system/opt/homebrew/bin/npm", printing(""));
    tree.executable("system/usr/local/bin/npm", printing(""));
    const std::string nvmPnpm = tree.executable("home/.nvm/versions/node/v20.1.0/bin/pnpm", printing(""));
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    EXPECT_EQ(engine.locateExecutable("yarn", {opt, local, nvm}), localYarn);
    EXPECT_EQ(engine.locateExecutable("npm", {opt, local, nvm}), optNpm);
    EXPECT_EQ(engine.locateExecutable("pnpm", {opt, local, nvm}), nvmPnpm);
    EXPECT_EQ(engine.locateExecutable("pnpm", {opt, local}), std::nullopt);
    EXPECT_EQ(engine.locateExecutable("bun", {opt, local, nvm, tree.path("missing/.nvm/versions/node")}),
              std::nullopt);
}

TEST(ScanEngineNode, FailedOrBlankAnswersLeaveTheDefaultAlone) {
    FixtureTree tree;
    tree.file("home/.npm/_cacache/index", 1000);
    tree.file("elsewhere/cache/x", 5000);
    const std::string npm = tree.path("system/usr/local/bin/npm");
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    for (const std::string& script : {printing(tree.path("elsewhere/cache"), 1), printing(" \n\t \n")}) {
        tree.executable("system/usr/local/bin/npm", script);
        test::LogCapture log;
        EXPECT_EQ(pathsOf(engine.scanNodeCache()), std::vector<std::string>{tree.path("home/.npm")});
        EXPECT_TRUE(log.entries().empty());
    }
}

TEST(ScanEngineNode, AnswersThatWouldWipeMoreThanACacheAreRefused) {
    FixtureTree tree;
    tree.file("home/.npm/_cacache/index", 1000);
    tree.file("home/.cache/other/x", 9000);
    tree.file("home/Library/Caches/App/x", 9000);
    tree.file("home/Documents/letter", 9000);
    tree.symlink("home/cache-link", tree.path("home/Documents/.."));
    tree.textFile("npm-answer", "");
    tree.executable("system/opt/homebrew/bin/npm", "#!/bin/sh\ncat '" + tree.path("npm-answer") + "'\n");
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));

    for (const std::string& answer :
         {std::string("/"), tree.path("home"), std::string("~/"), tree.path(""), tree.path("home/Library"),
          std::string("~/.cache"), std::string("/tmp"), std::string("/private/var/tmp/"), std::string("/var"),
          tree.path("home/Library/Caches"), tree.path("home/cache-link"), std::string("npm-cache"),
          std::string("~zoe/.npm")}) {
        tree.textFile("npm-answer", answer + "\n");
        test::LogCapture log;
        CategoryResult result = engine.scanNodeCache();
        EXPECT_EQ(pathsOf(result), std::vector<std::string>{tree.path("home/.npm")}) << answer;
        auto entries = log.entries();
        ASSERT_EQ(entries.size(), 1u) << answer;
        EXPECT_EQ(entries[0].message, "Refusing suspicious npm cache path: " + answer);
        EXPECT_EQ(entries[0].level, LogLevel::warning);
        EXPECT_EQ(entries[0].source, "scanNodeCache()");
    }
}

TEST(ScanEngineNode, FoldersInsideAnotherItemAreCountedOnce) {
    FixtureTree tree;
    tree.file("home/.npm/_cacache/index", 1000);
    tree.file("home/Library/pnpm/store/v3/files", 3000);
    tree.file("elsewhere/caches/Yarn/x", 500);
    tree.symlink("home/Library/Caches", tree.path("elsewhere/caches"));
    // npm names a folder inside its default, pnpm a folder holding its default, and Yarn its default folder
    // under the name the link leads to.
    tree.executable("system/usr/local/bin/npm", printing("~/.npm/_cacache"));
    tree.executable("system/usr/local/bin/pnpm", printing(tree.path("home/Library/pnpm")));
    tree.executable("system/usr/local/bin/yarn", printing(tree.path("elsewhere/caches/Yarn")));
    ScanEngine engine(tree.path("home"), test::fixtureEngineOptions(tree));
    test::LogCapture log;

    CategoryResult result = engine.scanNodeCache();
    EXPECT_EQ(pathsOf(result),
              (std::vector<std::string>{tree.path("home/.npm"), tree.path("home/Library/Caches/Yarn"),
                                        tree.path("home/Library/pnpm")}));
    EXPECT_EQ(result.totalSize, 4500);
    EXPECT_TRUE(log.entries().empty());
}

} // namespace
} // namespace zn
