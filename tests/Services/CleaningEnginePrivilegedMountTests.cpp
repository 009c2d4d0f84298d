#include "Platform/core/PathResolution.h"
#include "Logic/Removal/CleaningPathRules.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/ScopedBindMount.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sstream>

// The administrator side never reaches into another mount on its way to an item: a folder of the caches
// attached to a folder elsewhere leads root to files that are not the user's caches at all.
namespace zn {
namespace {

using test::exists;

TEST(PrivilegedMounts, NothingBehindAMountInsideTheAllowedFolderGoes) {
    test::FixtureTree tree;
    const std::string home = *resolvedPathIfResolvable(tree.folder("home"));
    tree.file("elsewhere/a", 1);
    tree.file("elsewhere/b", 1);
    tree.file("elsewhere/sub/file", 1);
    const std::string own = tree.file("home/Library/Caches/com.example/data", 1);
    const std::string bound = home + "/Library/Caches/bm";
    tree.folder("home/Library/Caches/bm");
    test::ScopedBindMount bind(tree.path("elsewhere"), bound);
    if (bind.error() == EPERM)
        GTEST_SKIP() << test::kNeedsRootToBindMount;
    ASSERT_EQ(bind.error(), 0);

    PrivilegedRemovalContext context;
    context.callingUserId = "4242";
    context.homeOfUser = [&](uid_t) { return std::optional<std::string>(home); };
    context.systemFolders = test::fixtureCleaningFolders(tree);
    std::istringstream input(encodePrivilegedRemovalRecords({{std::nullopt, bound + "/a"},
                                                             {CleaningCategory::systemJunk, bound + "/b"},
                                                             {CleaningCategory::userCache, bound + "/sub"},
                                                             {CleaningCategory::userCache, bound},
                                                             {CleaningCategory::userCache, own}}));
    std::ostringstream output;
    ASSERT_EQ(runPrivilegedRemoval({"zelvanexal", "--privileged-remove"}, input, output, context), 0);

    EXPECT_EQ(output.str(), std::string(kPrivilegedRemovalStartMarker) + own + '\0');
    for (const char* kept : {"elsewhere/a", "elsewhere/b", "elsewhere/sub/file"})
        EXPECT_TRUE(exists(tree.path(kept))) << kept;
    EXPECT_FALSE(exists(own));
}

TEST(PrivilegedMounts, TheAllowedPlaceIsTheFolderOfTheRuleThatAdmits) {
    test::FixtureTree tree;
    const std::string home = *resolvedPathIfResolvable(tree.folder("home"));
    const std::string movie = *resolvedPathIfResolvable(tree.file("home/Downloads/films/movie.mov", 1));
    tree.folder("home/Library/Containers/com.docker.docker/x");
    tree.folder("home/Applications/Tool.app");
    const CleaningPathRules rules(home, 4242, test::fixtureCleaningFolders(tree));
    using Category = CleaningCategory;
    EXPECT_EQ(rules.allowedPlaceInAdminPass(Category::userCache, home + "/Library/Caches/a/b"),
              home + "/Library/Caches");
    // The most specific of the roots that hold it.
    EXPECT_EQ(rules.allowedPlaceInAdminPass(Category::dockerCache, home + "/Library/Containers/com.docker.docker/x"),
              home + "/Library/Containers/com.docker.docker");
    EXPECT_EQ(rules.allowedPlaceInAdminPass(Category::largeFiles, movie), home + "/Downloads");
    EXPECT_EQ(rules.allowedPlaceInAdminPass(Category::systemJunk, home + "/Applications/Tool.app"),
              home + "/Applications");
    EXPECT_EQ(rules.allowedPlaceInAdminPass(Category::userCache, home + "/Pictures/x"), std::nullopt);
    EXPECT_EQ(rules.allowedPlaceInAdminPass(Category::userCache, home + "/Library/Caches"), std::nullopt);
}

} // namespace
} // namespace zn
