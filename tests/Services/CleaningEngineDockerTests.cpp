#include "Services/CleaningEngine.h"
#include "Services/CleaningEngineTestSupport.h"
#include "Services/ScanEngine.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using test::exists;

// The reclaimable-space item carries the path of the container tool that was asked. Here that tool is a
// link to a file inside a folder the cleaning engine may empty, as an installer could lay it out.
TEST(CleaningEngineDocker, CleaningTheReclaimableItemRemovesNothing) {
    test::FixtureTree tree;
    const std::string home = tree.folder("home");
    const std::string cache = tree.folder("home/Library/Containers/com.docker.docker/Data/cache");
    tree.file("home/Library/Containers/com.docker.docker/Data/cache/layer", 6000);
    const std::string tool = tree.executable("home/Library/Application Support/Docker/bin/docker",
                                             "#!/bin/sh\nprintf '2.5GB (50%%)\\n0B (0%%)\\n'\n");
    tree.symlink("system/usr/local/bin/docker", tool);
    CategoryResult scan = ScanEngine(home, test::fixtureEngineOptions(tree)).scanDockerCache();
    ASSERT_EQ(scan.items.size(), 2u);
    const CleanableItem& reclaimable = scan.items.back();
    ASSERT_EQ(reclaimable.path, tree.path("system/usr/local/bin/docker"));

    auto runner = std::make_shared<test::RecordingAdminRunner>();
    CleaningEngineOptions options;
    options.adminRunner = runner;
    options.temporaryDirectory = tree.folder("tmp");
    options.systemFolders = test::fixtureCleaningFolders(tree);
    CleaningEngine engine(home, options);

    CleaningResult result = engine.cleanItems(scan.items, nullptr);
    EXPECT_EQ(result.deletedPaths, std::set<std::string>{cache});
    EXPECT_EQ(result.deletedCount, 1);
    EXPECT_TRUE(exists(tool));
    EXPECT_TRUE(exists(reclaimable.path));
    EXPECT_FALSE(result.deletedPaths.contains(reclaimable.path));
    EXPECT_TRUE(result.deferredToAdmin.empty());
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(result.errors.back(), "Skipped symlink or unsafe path: " + reclaimable.path + " -> " + tool);

    // Nor does the administrator pass take it.
    CleaningResult admin = engine.cleanWithAdminPrivileges({reclaimable});
    EXPECT_TRUE(runner->commands.empty());
    EXPECT_EQ(admin.deletedCount, 0);
    EXPECT_TRUE(exists(tool));
}

} // namespace
} // namespace zn
