#include "Logic/Scanning/DirectoryEntries.h"
#include "Logic/Scanning/Locations.h"
#include "Platform/core/HomeDirectory.h"
#include "support/FixtureTree.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace zn {
namespace {

// Sets or unsets TMPDIR for one test and puts the old value back.
class TemporaryDirectoryVariable {
public:
    explicit TemporaryDirectoryVariable(const char* value) {
        if (const char* old = std::getenv("TMPDIR"))
            old_ = old;
        value ? ::setenv("TMPDIR", value, 1) : ::unsetenv("TMPDIR");
    }
    ~TemporaryDirectoryVariable() { old_ ? ::setenv("TMPDIR", old_->c_str(), 1) : ::unsetenv("TMPDIR"); }

private:
    std::optional<std::string> old_;
};

TEST(Locations, DefaultListsInTheirFixedOrder) {
    const Locations::Roots roots{"/Users/u", "", "/Users/u/Library/Caches", "/var/folders/xy/T/"};
    Locations locations(roots);
    const auto& apps = locations.appSearch.paths;
    EXPECT_EQ(locations.appSearch.name, "Apps");
    ASSERT_EQ(apps.size(), 59u); // /Users/u has no "Application Support" here
    EXPECT_EQ(apps[0], "/Users/u/.config");
    EXPECT_EQ(apps[4], "/Users/u/Library");
    EXPECT_EQ(apps[8], "/Users/u/Library/Application Support/com.apple.sharedfilelist/"
                       "com.apple.LSSharedFileList.ApplicationRecentDocuments");
    EXPECT_EQ(apps[15], "/Users/u/Library/Caches/org.sparkle-project.Sparkle");
    EXPECT_EQ(apps[24], "/Users/u/Library/Internet Plug-Ins");
    EXPECT_EQ(apps[31], "/Users/u/Library/Saved Application State");
    EXPECT_EQ(apps[33], "/Users/u/Library/WebKit");
    EXPECT_EQ(apps[34], "/Applications");
    EXPECT_EQ(apps[36], "/Users/Shared/Library/Application Support");
    EXPECT_EQ(apps[37], "/Library");
    EXPECT_EQ(apps[49], "/private/var/db/receipts");
    EXPECT_EQ(apps[50], "/private/tmp");
    EXPECT_EQ(apps[56], "/usr/local/var");
    EXPECT_EQ(apps[57], "/Users/u/Library/Caches");
    EXPECT_EQ(apps[58], "/var/folders/xy/T/"); // used unchanged

    const auto& reverse = locations.reverseSearch.paths;
    EXPECT_EQ(locations.reverseSearch.name, "Reverse");
    ASSERT_EQ(reverse.size(), Locations::kReverseSearchPathCount);
    EXPECT_EQ(reverse[0], "/Users/u/Library/Application Scripts");
    EXPECT_EQ(reverse[2], "/Users/u/Library/Application Support/Caches");
    EXPECT_EQ(reverse[12], "/Users/u/Library/Preferences/ByHost");
    EXPECT_EQ(reverse[15], "/Users/Shared/Library/Application Support");
    EXPECT_EQ(reverse[21], "/Library/PrivilegedHelperTools");
}

TEST(Locations, ApplicationSupportFoldersFollowTheFixedPaths) {
    test::FixtureTree tree;
    const std::string home = tree.folder("home");
    const std::string support = tree.folder("home/Library/Application Support");
    Locations::Roots roots{home, tree.path("sys"), home + "/Library/Caches", ""};
    const Locations before(roots);
    EXPECT_EQ(before.appSearch.paths.size(), 59u);
    EXPECT_EQ(before.appSearch.paths[34], tree.path("sys") + "/Applications");

    tree.folder("home/Library/Application Support/Foo Bar");
    tree.file("home/Library/Application Support/notes.txt", 3);
    tree.folder("elsewhere/Linked");
    tree.symlink("home/Library/Application Support/Linked", tree.path("elsewhere/Linked"));
    tree.symlink("home/Library/Application Support/Dangling", tree.path("nowhere"));
    const Locations after(roots);

    std::vector<std::string> expected;
    const auto listed = directoryEntryNames(support);
    for (const std::string& name : *listed)
        if (name == "Foo Bar" || name == "Linked")
            expected.push_back(support + "/" + name);
    ASSERT_EQ(after.appSearch.paths.size(), 61u);
    EXPECT_EQ(std::vector<std::string>(after.appSearch.paths.begin() + 59, after.appSearch.paths.end()),
              expected);
    EXPECT_EQ(before.reverseSearch, after.reverseSearch);
    EXPECT_EQ(Locations::listAppSupportDirectories(home).size(), 2u);
    EXPECT_TRUE(Locations::listAppSupportDirectories(tree.path("no-such-home")).empty());
}

TEST(Locations, ProcessDefaults) {
    EXPECT_EQ(home(), currentUserHomeDirectory());
    EXPECT_NE(home().back(), '/');
    {
        TemporaryDirectoryVariable unset(nullptr);
        const Locations locations;
        EXPECT_EQ(locations.cacheDir(), home() + "/Library/Caches");
        EXPECT_EQ(locations.tempDir(), "");
        EXPECT_EQ(locations.appSearch.paths[57], home() + "/Library/Caches");
        EXPECT_EQ(locations.appSearch.paths[58], "");
        EXPECT_EQ(locations.appSearch.paths[4], home() + "/Library");
        EXPECT_EQ(locations.appSearch.paths[37], "/Library");
    }
    {
        TemporaryDirectoryVariable empty("");
        EXPECT_EQ(Locations::darwinCT().second, "");
    }
    TemporaryDirectoryVariable set("relative/tmp/");
    EXPECT_EQ(Locations().appSearch.paths[58], "relative/tmp/");
}

TEST(Locations, StandardLibrarySubdirectories) {
    const auto& names = Locations::standardLibrarySubdirectories();
    EXPECT_EQ(names.size(), 18u);
    EXPECT_TRUE(names.contains("Internet Plug-Ins"));
    EXPECT_TRUE(names.contains("Frameworks"));
    EXPECT_FALSE(names.contains("caches"));
    EXPECT_FALSE(names.contains("Application support"));
}

} // namespace
} // namespace zn
