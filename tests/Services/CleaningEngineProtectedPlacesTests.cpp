#include "Platform/core/PathResolution.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Services/CleaningEngine.h"
#include "Services/CleaningEngineTestSupport.h"
#include "Services/ScanEngine.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"
#include "support/ResultQueries.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

// A home inside the shared temporary folder, as guest logins, containers and CI runners have it, with the
// program's working directory and its own folder beside it.
namespace zn {
namespace {

using test::exists;
using test::itemAt;
using Category = CleaningCategory;

const std::string kMarker(kPrivilegedRemovalStartMarker);
const std::vector<std::string> kArguments{"/usr/bin/zelvanexal", "--privileged-remove"};
constexpr uid_t kCallingUser = 4242;

Date threeDaysOn() {
    return std::chrono::system_clock::now() + std::chrono::hours(72);
}

std::vector<std::string> sortedNames(const CategoryResult& result) {
    std::vector<std::string> names = test::namesOf(result);
    std::sort(names.begin(), names.end());
    return names;
}

class HomeInTemporaryFolderTest : public ::testing::Test {
protected:
    HomeInTemporaryFolderTest() {
        tree.file("system/tmp/old-file", 2000);
        tree.file("system/tmp/work/notes.txt", 4000);
        tree.file("system/tmp/build/bin/zelvanexal", 4000);
        tree.file("system/tmp/guests/h/.local/share/Trash/files/photo.png", 3000);
        tree.file("system/tmp/guests/h/Library/Caches/com.app/data", 5000);
        tree.file("system/tmp/guests/h/Library/Caches/tools/bin/zelvanexal", 4000);
        tree.file("system/tmp/guests/h/Library/Logs/app.log", 2000);
        tree.file("system/tmp/guests/h/.npm/_cacache/index", 3000);
    }

    CleaningEngine makeEngine(const RunningProgramPlaces& places, std::function<Date()> now = {}) {
        CleaningEngineOptions options;
        options.systemFolders = test::fixtureCleaningFolders(tree);
        options.runningProgram = places;
        options.now = std::move(now);
        options.adminRunner = runner;
        return CleaningEngine(home, options);
    }

    // The administrator side, in this process, for the calling user whose home is `home`.
    std::string administratorSide(const std::vector<PrivilegedRemovalRecord>& records,
                                  const RunningProgramPlaces& places) {
        PrivilegedRemovalContext context{std::to_string(kCallingUser),
                                         [this](uid_t user) {
                                             return user == kCallingUser ? std::optional<std::string>(home)
                                                                         : std::nullopt;
                                         },
                                         test::fixtureCleaningFolders(tree),
                                         std::make_shared<SystemRemovalFileOperations>(),
                                         {},
                                         nullptr,
                                         kPrivilegedRemovalInputLimit,
                                         places,
                                         test::kPeople};
        std::istringstream in(encodePrivilegedRemovalRecords(records));
        std::ostringstream out;
        EXPECT_EQ(runPrivilegedRemoval(kArguments, in, out, context), 0);
        return out.str();
    }

    test::FixtureTree tree;
    std::string home = tree.folder("system/tmp/guests/h");
    std::string caches = home + "/Library/Caches";
    RunningProgramPlaces besideTheHome{tree.path("system/tmp/work"), tree.path("system/tmp/build/bin")};
    // The program built inside the home's caches, run from the temporary folder.
    RunningProgramPlaces inTheCaches{tree.path("system/tmp/work"), caches + "/tools/bin"};
    std::shared_ptr<test::RecordingAdminRunner> runner = [] {
        auto recording = std::make_shared<test::RecordingAdminRunner>();
        recording->runnerForm = AdminRunner::Form::privilegedProgram;
        return recording;
    }();
};

TEST_F(HomeInTemporaryFolderTest, TheScanNeverOffersTheHomeTheWorkingDirectoryOrTheProgramsFolder) {
    auto options = test::fixtureEngineOptions(tree);
    options.now = threeDaysOn;
    options.runningProgram = besideTheHome;
    ScanEngine engine(home, options);
    // Everything in the temporary folder has rested; of it only the entry that holds none of them is offered.
    EXPECT_EQ(sortedNames(engine.scanSystemJunk()), (std::vector<std::string>{"app.log", "old-file"}));
    EXPECT_EQ(test::namesOf(engine.scanTrash()), std::vector<std::string>{"photo.png"});
    EXPECT_EQ(sortedNames(engine.scanUserCache()),
              (std::vector<std::string>{"_cacache", "com.app", "tools"}));

    // Wherever they lie: a working directory in a package cache, the program inside a cache folder.
    options.runningProgram = {home + "/.npm/_cacache", caches + "/tools/bin"};
    const CategoryResult caught = ScanEngine(home, options).scanUserCache();
    EXPECT_EQ(test::namesOf(caught), std::vector<std::string>{"com.app"});
    EXPECT_EQ(caught.totalSize, 5000);
}

TEST_F(HomeInTemporaryFolderTest, TheHomesOwnItemsCleanByTheHomesRules) {
    const std::string photo = home + "/.local/share/Trash/files/photo.png";
    const std::string appCache = caches + "/com.app";
    const std::string log = home + "/Library/Logs/app.log";
    const std::string fresh = tree.file("system/tmp/fresh-file", 2000);
    CleaningEngine engine = makeEngine(besideTheHome);

    const CleaningResult result = engine.cleanItems(
        {itemAt(photo, 3000, Category::trashBins), itemAt(appCache, 5000),
         itemAt(log, 2000, Category::systemJunk), itemAt(fresh, 2000, Category::systemJunk)},
        {});
    EXPECT_EQ(result.deletedCount, 3);
    EXPECT_EQ(result.freedSpace, 10'000);
    EXPECT_FALSE(exists(photo));
    EXPECT_FALSE(exists(appCache));
    EXPECT_FALSE(exists(log));
    EXPECT_TRUE(result.deferredToAdmin.empty());
    // Outside the home the temporary folder keeps its rule: a fresh entry stays.
    EXPECT_TRUE(exists(fresh));
    EXPECT_EQ(result.errors.size(), 1u);

    // The administrator side judges the home's items by the home's rules too.
    const std::string cacheFile = caches + "/tools/bin/zelvanexal";
    EXPECT_EQ(administratorSide({{Category::userCache, cacheFile}}, besideTheHome),
              kMarker + cacheFile + '\0');
    EXPECT_FALSE(exists(cacheFile));
}

TEST_F(HomeInTemporaryFolderTest, NoCleanRemovesTheHomeTheWorkingDirectoryOrTheProgramsFolderSentAsItems) {
    const std::string appCache = caches + "/com.app";
    const std::vector<std::string> forbidden{
        tree.path("system/tmp/guests"), home, tree.path("system/tmp/work"), caches, caches + "/tools",
        caches + "/tools/bin"};
    std::vector<CleanableItem> items{itemAt(appCache)};
    for (const std::string& path : forbidden)
        items.push_back(
            itemAt(path, 100, path.starts_with(caches) ? Category::userCache : Category::systemJunk));

    // The temporary folder's entries have rested, so only the protection keeps them.
    CleaningEngine engine = makeEngine(inTheCaches, threeDaysOn);
    const CleaningResult result = engine.cleanItems(items, {});
    EXPECT_EQ(result.deletedPaths, std::set<std::string>{appCache});
    EXPECT_EQ(result.errors.size(), forbidden.size());
    for (const std::string& error : result.errors)
        EXPECT_TRUE(error.starts_with("Skipped symlink or unsafe path: ")) << error;
    for (const std::string& path : forbidden)
        EXPECT_TRUE(exists(path)) << path;

    // Nor the administrator pass: nothing is even handed over.
    items.erase(items.begin());
    EXPECT_EQ(engine.cleanWithAdminPrivileges(items).deletedCount, 0);
    EXPECT_TRUE(runner->privilegedInputs.empty());

    // Nor the administrator side, for records it is sent straight, leftovers too.
    const std::string otherCache = tree.file("system/tmp/guests/h/Library/Caches/other/data", 10);
    std::vector<PrivilegedRemovalRecord> records{{std::nullopt, caches + "/tools"}};
    for (const std::string& path : {caches + "/tools", caches + "/tools/bin", otherCache})
        records.push_back({Category::userCache, path});
    EXPECT_EQ(administratorSide(records, inTheCaches), kMarker + otherCache + '\0');
    EXPECT_TRUE(exists(caches + "/tools/bin/zelvanexal"));
}

TEST_F(HomeInTemporaryFolderTest, AScanPathLeadingToAProtectedPlaceByAnyNameIsCaught) {
    const ProtectedPlaces places(home, besideTheHome);
    const std::string link =
        tree.symlink("system/tmp/guests/h/.cache/shortcut", tree.path("system/tmp/work"));
    EXPECT_TRUE(places.mayLeadToOne(link));
    EXPECT_TRUE(places.mayLeadToOne(home + "/Library/.."));
    EXPECT_TRUE(places.mayLeadToOne(tree.path("system/tmp/build")));
    EXPECT_TRUE(places.isOrHoldsOne("/"));
    EXPECT_FALSE(places.mayLeadToOne(caches + "/com.app"));
    EXPECT_FALSE(places.mayLeadToOne(tree.path("system/tmp/old-file")));
    EXPECT_FALSE(places.isOrHoldsOne(tree.path("system/tmp/buil")));
}

} // namespace
} // namespace zn
