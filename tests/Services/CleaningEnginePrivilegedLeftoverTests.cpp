#include "Logic/Removal/OrphanSafetyPolicy.h"
#include "Platform/core/PathResolution.h"
#include "Services/CleaningEngine+PrivilegedRemoval.h"
#include "Services/CleaningEngineTestSupport.h"
#include "support/FixtureEngineOptions.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

// The administrator side for leftovers of removed applications: whatever the list says, every record is
// judged again by the leftover policy of the calling user's home before anything goes.
namespace zn {
namespace {

using test::exists;

// The fixture's paths in final form (the tree may lie behind a link).
std::string finalForm(const std::string& path) {
    return *leftoverRemovalPath(path);
}

class PrivilegedLeftovers : public ::testing::Test {
protected:
    test::FixtureTree tree;
    std::string home = *resolvedPathIfResolvable(tree.folder("home"));
    std::string system = *resolvedPathIfResolvable(tree.folder("system"));
    PrivilegedRemovalContext context;
    std::string output;

    void SetUp() override {
        context.callingUserId = "4242";
        context.people = test::kPeople;
        context.homeOfUser = [this](uid_t) { return std::optional<std::string>(home); };
        context.leftoverSystemRoot = system;
        context.systemFolders = test::fixtureCleaningFolders(tree);
    }
    // Runs the administrator side on leftover records of `paths`, as given.
    int remove(const std::vector<std::string>& paths) {
        std::vector<PrivilegedRemovalRecord> records;
        for (const std::string& path : paths)
            records.push_back({std::nullopt, path});
        std::istringstream input(encodePrivilegedRemovalRecords(records));
        std::ostringstream out;
        const int status = runPrivilegedRemoval({"zelvanexal", "--privileged-remove"}, input, out, context);
        output = out.str();
        return status;
    }
};

TEST(PrivilegedLeftoverRecords, TravelWithTheirTagAndMixWithCategories) {
    const std::vector<PrivilegedRemovalRecord> records{{std::nullopt, "/h/Library/Caches/it's \"x\""},
                                                       {CleaningCategory::userCache, "/h/Library/Caches/y"}};
    const std::string text = encodePrivilegedRemovalRecords(records);
    EXPECT_EQ(text.substr(0, 9), std::string("leftover\0", 9));
    EXPECT_EQ(decodePrivilegedRemovalRecords(text), records);
    EXPECT_EQ(decodePrivilegedRemovalRecords(std::string("leftovers\0/a\0", 13)), std::nullopt);
}

TEST_F(PrivilegedLeftovers, RemovesWhatThePolicyAllowsAndNothingElse) {
    const std::string folder = finalForm(tree.folder("home/Library/Caches/com.gone.app"));
    tree.textFile("home/Library/Caches/com.gone.app/deep/file", "x");
    const std::string log = finalForm(tree.textFile("home/Library/Logs/Gone.log", "x"));
    const std::string systemCache = finalForm(tree.textFile("system/Library/Caches/Gone Helper", "x"));
    const std::string support = finalForm(tree.textFile("home/Library/Application Support/Gone/data", "x"));
    const std::string apple = finalForm(tree.textFile("home/Library/Caches/com.apple.Gone", "x"));
    const std::string credentials = finalForm(tree.textFile("home/.ssh/id_rsa", "secret"));
    const std::string cachesItself = home + "/Library/Caches";

    ASSERT_EQ(remove({folder, support, log, apple, credentials, systemCache, cachesItself}), 0);
    EXPECT_FALSE(exists(folder));
    EXPECT_FALSE(exists(log));
    EXPECT_FALSE(exists(systemCache));
    EXPECT_TRUE(exists(support));
    EXPECT_TRUE(exists(apple));
    EXPECT_TRUE(exists(credentials));
    EXPECT_TRUE(exists(cachesItself));
    const std::string marker(kPrivilegedRemovalStartMarker);
    EXPECT_EQ(output, marker + folder + '\0' + log + '\0' + systemCache + '\0');
}

TEST_F(PrivilegedLeftovers, NeverFollowsALinkNorTakesAPathThatIsNotInItsFinalForm) {
    const std::string target = tree.textFile("home/Library/Caches/Kept Target/file", "keep");
    const std::string insideLink = finalForm(tree.symlink("home/Library/Caches/Gone Link", home + "/Library/Caches/Kept Target"));
    const std::string outsideTarget = tree.textFile("home/Documents/precious", "keep");
    const std::string outsideLink = finalForm(tree.symlink("home/Library/Caches/Escape", outsideTarget));
    // A folder on the way that is a link: the path is not the one the caller checked.
    tree.folder("home/Library/Caches/Real");
    const std::string viaLink = tree.textFile("home/Library/Caches/Real/Gone", "x");
    tree.symlink("home/Library/Caches/Alias", home + "/Library/Caches/Real");

    // A path that ends in ".." or "." leads to a folder the policy allows, but names another one.
    tree.textFile("home/Library/Caches/Real/Deep/file", "x");
    ASSERT_EQ(remove({insideLink, outsideLink, home + "/Library/Caches/Alias/Gone", "Library/Caches/Real/Gone",
                      home + "/Library/Caches/Real/../Real/Gone", home + "/Library/Caches/Real/Deep/..",
                      home + "/Library/Caches/Real/.", home + "/Library/Caches/Real/"}),
              0);
    EXPECT_FALSE(exists(insideLink));
    EXPECT_TRUE(exists(target));
    EXPECT_TRUE(exists(outsideLink));
    EXPECT_TRUE(exists(outsideTarget));
    EXPECT_TRUE(exists(viaLink));
    EXPECT_TRUE(exists(home + "/Library/Caches/Real/Deep/file"));
    EXPECT_EQ(output, std::string(kPrivilegedRemovalStartMarker) + insideLink + '\0');
}

TEST_F(PrivilegedLeftovers, ALinkOutsideTheAllowedFoldersStaysWhereverItLeads) {
    // Root would remove the link itself: one in a system folder or among documents is no leftover.
    const std::string target = tree.textFile("home/Library/Caches/x/data", "keep");
    const std::string systemLink =
        finalForm(tree.symlink("system/etc/cache-link", home + "/Library/Caches/x"));
    const std::string documentLink =
        finalForm(tree.symlink("home/Documents/link", home + "/Library/Caches/x"));
    const std::string cacheLink =
        finalForm(tree.symlink("home/Library/Caches/link", home + "/Library/Caches/x"));

    ASSERT_EQ(remove({systemLink, documentLink, cacheLink}), 0);
    EXPECT_TRUE(exists(systemLink));
    EXPECT_TRUE(exists(documentLink));
    EXPECT_FALSE(exists(cacheLink)); // the link alone
    EXPECT_TRUE(exists(target));
    EXPECT_EQ(output, std::string(kPrivilegedRemovalStartMarker) + cacheLink + '\0');
}

TEST_F(PrivilegedLeftovers, NothingInASharedTemporaryFolderGoesEvenWhereTheCallersHomeIsIt) {
    // The password database names the shared temporary folder itself as the caller's home: the Library
    // there is anyone's, and the caller's own rights already reach all that is the caller's.
    home = *resolvedPathIfResolvable(tree.folder("system/tmp"));
    const std::string stuff = tree.textFile("system/tmp/Library/Caches/malstuff/data", "theirs");
    const std::string log = tree.textFile("system/tmp/Library/Logs/mallog", "theirs");
    const std::vector<std::string> paths{home + "/Library/Caches/malstuff", home + "/Library/Logs/mallog"};
    ASSERT_EQ(remove(paths), 0);
    EXPECT_TRUE(exists(stuff));
    EXPECT_TRUE(exists(log));
    const std::string marker(kPrivilegedRemovalStartMarker);
    EXPECT_EQ(output, marker);

    // As category records they are refused alike.
    std::istringstream input(encodePrivilegedRemovalRecords(
        {{CleaningCategory::userCache, paths[0]}, {CleaningCategory::systemJunk, paths[1]}}));
    std::ostringstream out;
    ASSERT_EQ(runPrivilegedRemoval({"zelvanexal", "--privileged-remove"}, input, out, context), 0);
    EXPECT_EQ(out.str(), marker);
    EXPECT_TRUE(exists(stuff));
    EXPECT_TRUE(exists(log));

    // A home inside the shared folder keeps its own rules: its leftovers go.
    home = *resolvedPathIfResolvable(tree.folder("system/tmp/guests/h"));
    const std::string own = finalForm(tree.textFile("system/tmp/guests/h/Library/Caches/com.gone.app", "x"));
    ASSERT_EQ(remove({own}), 0);
    EXPECT_FALSE(exists(own));
    EXPECT_EQ(output, marker + own + '\0');
}

} // namespace
} // namespace zn
