#include "Services/CleaningEngine.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace zn {
namespace {

using test::itemAt;
using Line = test::LogCapture::Line;

class PurgeTest : public ::testing::Test {
protected:
    CleaningEngine engineWith(std::deque<std::optional<std::int64_t>> readings) {
        volume = std::make_shared<test::SequencedFreeSpace>(std::move(readings));
        CleaningEngineOptions options;
        options.diskutilPath = diskutil;
        options.volumeInfo = volume;
        options.adminRunner = std::make_shared<test::RecordingAdminRunner>();
        options.systemFolders = test::fixtureCleaningFolders(tree);
        return CleaningEngine(tree.folder("home"), options);
    }
    std::string recordedArguments() const {
        std::ifstream file(tree.path("diskutil-args"));
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    test::FixtureTree tree;
    std::string diskutil =
        tree.executable("bin/diskutil", "#!/bin/sh\necho \"$@\" >> '" + tree.path("diskutil-args") +
                                            "'\necho 'Purged' \nexit 3\n");
    std::shared_ptr<test::SequencedFreeSpace> volume;
    test::LogCapture log;
};

TEST_F(PurgeTest, ReportsTheMeasuredGain) {
    CleaningEngine engine = engineWith({10'000'000'000, 12'500'000'000});
    EXPECT_EQ(engine.purgePurgeableSpace(), 2'500'000'000);
    EXPECT_EQ(recordedArguments(), "apfs purgePurgeable /\n"); // the tool's own status is not looked at
    EXPECT_EQ(volume->askedPaths(), (std::vector<std::string>{"/", "/"}));
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(PurgeTest, NeverNegative) {
    EXPECT_EQ(engineWith({12'000'000'000, 11'000'000'000}).purgePurgeableSpace(), 0);
    EXPECT_EQ(engineWith({5, 5}).purgePurgeableSpace(), 0);
}

TEST_F(PurgeTest, AFailedReadingOnEitherSideGivesNothing) {
    EXPECT_EQ(engineWith({std::nullopt, 12'000'000'000}).purgePurgeableSpace(), 0);
    EXPECT_EQ(engineWith({12'000'000'000, std::nullopt}).purgePurgeableSpace(), 0);
    EXPECT_EQ(engineWith({-1, 12'000'000'000}).purgePurgeableSpace(), 0);
    const std::vector<Line> expected{{"Cannot read filesystem attributes: The volume could not be read",
                                      LogLevel::warning, "getCurrentFreeSpace()"},
                                     {"Cannot read filesystem attributes: The volume could not be read",
                                      LogLevel::warning, "getCurrentFreeSpace()"}};
    EXPECT_EQ(log.lines(), expected);
}

TEST_F(PurgeTest, AMissingToolIsLogged) {
    diskutil = tree.path("bin/no-diskutil");
    EXPECT_EQ(engineWith({1'000, 9'000}).purgePurgeableSpace(), 0);
    const std::vector<Line> expected{
        {"diskutil purge failed: No such file or directory", LogLevel::error, "purgePurgeableSpace()"}};
    EXPECT_EQ(log.lines(), expected);
}

TEST_F(PurgeTest, APurgeableItemIsAPurgeNotAFile) {
    const CleanableItem purgeable = itemAt("/", 7'000'000'000, CleaningCategory::purgeableSpace);
    CleaningEngine engine = engineWith({1'000'000'000, 1'002'000'000, 3'000, 3'000});
    std::vector<double> progress;
    CleaningResult result =
        engine.cleanItems({purgeable, purgeable}, [&](double p) { progress.push_back(p); });
    EXPECT_EQ(result.freedSpace, 2'000'000);
    EXPECT_EQ(result.deletedCount, 1); // the second released nothing
    EXPECT_TRUE(result.deletedPaths.empty());
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(progress, (std::vector<double>{0.5, 1.0}));
}

} // namespace
} // namespace zn
