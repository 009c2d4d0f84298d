#include "Logic/Scanning/AppInfoFetcher.h"
#include "Platform/core/RegularFile.h"
#include "support/BinaryPropertyList.h"
#include "support/FixtureTree.h"
#include "support/InfoPlistText.h"
#include "support/ScopedBindMount.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stop_token>
#include <sys/stat.h>

namespace zn {
namespace {

class AppInfoFetcherTest : public ::testing::Test {
protected:
    void bundle(const std::string& relative, const std::string& plist) {
        tree.textFile(relative + "/Contents/Info.plist", plist);
    }
    std::vector<InstalledApp> fetch(std::vector<std::string> languages = {"en"}) {
        return AppInfoFetcher({tree.path("Applications"), tree.path("home/Applications")},
                              std::move(languages))
            .fetchInstalledApps();
    }
    test::FixtureTree tree;
};

TEST_F(AppInfoFetcherTest, DuplicatesProtectedNestedAndHiddenBundles) {
    bundle("Applications/Editor.app", test::infoPlistText("com.acme.editor", "Editor"));
    bundle("home/Applications/Editor Copy.app", test::infoPlistText("com.acme.editor", "Editor Copy"));
    bundle("home/Applications/Safari.app", test::infoPlistText("com.apple.Safari", "Safari"));
    bundle("home/Applications/Safari Case.app", test::infoPlistText("com.apple.safari", "Safari Case"));
    bundle("Applications/Utilities/Tool.app", test::infoPlistText("com.acme.tool", "Tool"));
    bundle("Applications/Utilities/Tool.app/Contents/Helpers/Nested.app",
           test::infoPlistText("com.acme.nested", "Nested"));
    bundle("Applications/.Hidden.app", test::infoPlistText("com.acme.hidden", "Hidden"));
    // Bundles inside any package are part of it.
    bundle("Applications/Shared.framework/Versions/A/Resources/Helper.app",
           test::infoPlistText("com.acme.fw", "Fw"));
    bundle("Applications/Utilities/Loader.bundle/Contents/Agent.app",
           test::infoPlistText("com.acme.agent", "Agent"));
    bundle("Applications/Filter.plugin/Contents/Tool.app", test::infoPlistText("com.acme.plug", "Plug"));
    bundle("Applications/Sync.xpc/Contents/Worker.app", test::infoPlistText("com.acme.worker", "Worker"));
    bundle("Applications/Shout.APP/Contents/Inner.app", test::infoPlistText("com.acme.inner", "Inner"));
    bundle("Applications/Shout.APP", test::infoPlistText("com.acme.shout", "Shout"));
    bundle("Applications/Bare.app", test::infoPlistText(""));
    bundle("home/Applications/Bare.app", test::infoPlistText(""));
    tree.file("Applications/NotAFolder.app", 10);

    auto apps = fetch();
    std::vector<std::string> identifiers;
    for (const auto& app : apps)
        identifiers.push_back(app.bundleIdentifier);
    EXPECT_EQ(identifiers,
              (std::vector<std::string>{"Bare", "com.acme.editor", "com.apple.safari", "com.acme.tool"}));
    EXPECT_EQ(apps[0].appName, "Bare"); // no names: the file name without ".app"
    EXPECT_EQ(apps[0].path, tree.path("Applications/Bare.app"));
    EXPECT_EQ(apps[1].path, tree.path("Applications/Editor.app"));

    auto again = fetch();
    EXPECT_NE(again[0], apps[0]); // a new id on every load

    // What the list leaves out is still installed: every copy and the system's own, unsized.
    std::multiset<std::string> everyIdentifier;
    for (const auto& bundle :
         AppInfoFetcher({tree.path("Applications"), tree.path("home/Applications")}, {"en"})
             .fetchEveryBundle()) {
        everyIdentifier.insert(bundle.bundleIdentifier);
        EXPECT_EQ(bundle.size, 0);
    }
    EXPECT_EQ(everyIdentifier,
              (std::multiset<std::string>{"Bare", "Bare", "com.acme.editor", "com.acme.editor",
                                          "com.apple.Safari", "com.apple.safari", "com.acme.tool"}));
}

TEST_F(AppInfoFetcherTest, NamesSortCaseInsensitivelyAndStably) {
    bundle("Applications/b.app", test::infoPlistText("id.b", "beta"));
    bundle("Applications/a.app", test::infoPlistText("id.a", "Alpha"));
    bundle("Applications/c.app", test::infoPlistText("id.c", "", "Beta"));
    bundle("Applications/d.app", test::infoPlistText("id.d", "Name", "Display"));
    bundle("Applications/e.app", test::infoPlistText("id.e", "English"));
    tree.textFile("Applications/e.app/Contents/Resources/de.lproj/InfoPlist.strings",
                  "\"CFBundleName\" = \"Deutsch\";");
    // The bundle's own display name comes before a translated plain name.
    tree.textFile("Applications/d.app/Contents/Resources/de.lproj/InfoPlist.strings",
                  "\"CFBundleName\" = \"Deutscher Name\";");

    auto apps = fetch();
    std::vector<std::string> names;
    for (const auto& app : apps)
        names.push_back(app.appName);
    // "beta" and "Beta" compare equal and keep discovery order (readdir order is not fixed, so check both).
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names[0], "Alpha");
    EXPECT_TRUE((names[1] == "beta" && names[2] == "Beta") || (names[1] == "Beta" && names[2] == "beta"));
    EXPECT_EQ(names[3], "Display");
    EXPECT_EQ(names[4], "English");

    auto german = fetch({"de_DE", "de"});
    std::set<std::string> germanNames;
    for (const auto& app : german)
        germanNames.insert(app.appName);
    EXPECT_EQ(germanNames, (std::set<std::string>{"Alpha", "beta", "Beta", "Display", "Deutsch"}));
}

TEST_F(AppInfoFetcherTest, SizeCountsRegularVisibleFilesOnly) {
    bundle("Applications/Sized.app", test::infoPlistText("id.sized", "Sized"));
    tree.textFile("Applications/Sized.app/Contents/MacOS/binary", std::string(10000, 'x'));
    tree.textFile("Applications/Sized.app/Contents/.hidden", std::string(50000, 'x'));
    tree.textFile("Applications/Sized.app/Contents/.cache/inner", std::string(50000, 'x'));
    tree.symlink("Applications/Sized.app/Contents/link", tree.path("Applications/Sized.app/Contents/MacOS"));
    tree.textFile("outside/big", std::string(100000, 'x'));
    tree.symlink("Applications/Sized.app/Contents/outside", tree.path("outside"));

    auto apps = fetch();
    ASSERT_EQ(apps.size(), 1u);
    // Allocated sizes: Info.plist and the binary, each a whole number of blocks.
    EXPECT_GE(apps[0].size, 10000);
    EXPECT_LT(apps[0].size, 50000);
}

TEST_F(AppInfoFetcherTest, ABundleThatIsALinkCountsOnlyWhereItLeadsToABundle) {
    bundle("elsewhere/Real.app", test::infoPlistText("com.acme.real", "Real"));
    tree.textFile("elsewhere/Real.app/Contents/MacOS/real", std::string(100'000, 'x'));
    tree.symlink("home/Applications/Linked.app", tree.path("elsewhere/Real.app"));
    // The whole disk, a folder that is no bundle for its name or for what it holds, nothing at all.
    tree.symlink("home/Applications/Root.app", "/");
    bundle("elsewhere/Plain", test::infoPlistText("com.acme.plain", "Plain"));
    tree.symlink("home/Applications/Plain.app", tree.path("elsewhere/Plain"));
    tree.file("elsewhere/Empty.app/Contents/MacOS/empty", 10);
    tree.symlink("home/Applications/Empty.app", tree.path("elsewhere/Empty.app"));
    tree.symlink("home/Applications/Gone.app", tree.path("elsewhere/Gone.app"));
    // A bundle whose Info.plist is a link holds none of its own.
    tree.textFile("elsewhere/info", test::infoPlistText("com.acme.borrowed", "Borrowed"));
    tree.folder("elsewhere/Borrowed.app/Contents");
    tree.symlink("elsewhere/Borrowed.app/Contents/Info.plist", tree.path("elsewhere/info"));
    tree.symlink("home/Applications/Borrowed.app", tree.path("elsewhere/Borrowed.app"));

    const auto apps = fetch();
    ASSERT_EQ(apps.size(), 1u);
    EXPECT_EQ(apps[0].path, tree.path("home/Applications/Linked.app"));
    EXPECT_EQ(apps[0].appName, "Real");
    EXPECT_EQ(apps[0].bundleIdentifier, "com.acme.real");
    EXPECT_GE(apps[0].size, 100'000);
    EXPECT_LT(apps[0].size, 200'000);
}

TEST_F(AppInfoFetcherTest, SizingABundleEntersNoOtherMount) {
    bundle("Applications/Sized.app", test::infoPlistText("id.sized", "Sized"));
    tree.textFile("Applications/Sized.app/Contents/MacOS/binary", std::string(10'000, 'x'));
    tree.textFile("elsewhere/big", std::string(1'000'000, 'x'));
    tree.folder("Applications/Sized.app/Contents/Attached");
    // A bind mount of the same file system keeps its device number.
    test::ScopedBindMount attached(tree.path("elsewhere"),
                                   tree.path("Applications/Sized.app/Contents/Attached"));
    if (attached.error() == EPERM)
        GTEST_SKIP() << test::kNeedsRootToBindMount;
    ASSERT_EQ(attached.error(), 0);

    const auto apps = fetch();
    ASSERT_EQ(apps.size(), 1u);
    EXPECT_GE(apps[0].size, 10'000);
    EXPECT_LT(apps[0].size, 1'000'000);
}

TEST_F(AppInfoFetcherTest, HostileInfoPlistsFallBackOrAreCut) {
    // Nested too deep to read: listed as if it had no Info.plist.
    std::string deep = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    for (int i = 0; i < 20'000; ++i)
        deep += "<array>";
    bundle("Applications/Deep.app", deep + "</plist>");
    // Names longer than any real one are cut to 300 characters, the last an ellipsis.
    std::string hugeName;
    for (int i = 0; i < 100'000; ++i)
        hugeName += "\xC3\xA9"; // "é", two bytes each
    bundle("Applications/Huge.app", test::infoPlistText(std::string(400, 'i'), "", hugeName));
    bundle("Applications/Edge.app", test::infoPlistText("com.acme.edge", std::string(300, 'e')));
    // Larger than any real Info.plist: not read at all, however well formed.
    std::string padded = test::infoPlistText("com.acme.padded", "Padded Name");
    padded.insert(padded.find("<dict>"), kMetadataFileLimit, ' ');
    bundle("Applications/Padded.app", padded);

    std::map<std::string, InstalledApp> byBundle;
    for (const auto& app : fetch())
        byBundle.emplace(app.path.substr(app.path.rfind('/') + 1), app);
    ASSERT_EQ(byBundle.size(), 4u);
    EXPECT_EQ(byBundle["Padded.app"].appName, "Padded");
    EXPECT_EQ(byBundle["Deep.app"].appName, "Deep");
    EXPECT_EQ(byBundle["Deep.app"].bundleIdentifier, "Deep");
    EXPECT_EQ(byBundle["Edge.app"].appName, std::string(300, 'e'));
    EXPECT_EQ(byBundle["Huge.app"].appName, hugeName.substr(0, 299 * 2) + "\u2026");
    EXPECT_EQ(byBundle["Huge.app"].bundleIdentifier, std::string(299, 'i') + "\u2026");
}

TEST_F(AppInfoFetcherTest, InfoPlistsHoldingANulOrAFloodOfReferencesAreListedUnderTheirFileNames) {
    using namespace std::string_literals;
    const auto binaryNames = [](const std::string& key, const std::string& value) {
        return test::binaryPropertyList({test::binaryDictionaryObject({{1, 2}, {3, 4}}),
                                         test::binaryStringObject("CFBundleIdentifier"),
                                         test::binaryStringObject("com.acme.named"), key, value});
    };
    // Each aborted the whole listing: libplist's own assertion on a string or key holding U+0000.
    bundle("Applications/Unicode.app",
           binaryNames(test::binaryStringObject("CFBundleName"), test::binaryUtf16StringObject(u"App\0"s)));
    bundle("Applications/Key.app",
           binaryNames(test::binaryUtf16StringObject(u"CFBundleName\0"s), test::binaryStringObject("App")));
    bundle("Applications/Raw.app", test::infoPlistText("com.acme.raw", "App\0"s));
    // 800,000 references in one string of a 4 MB list: read, it took most of a minute.
    std::string flood;
    for (int i = 0; i < 800'000; ++i)
        flood += "&amp;";
    bundle("Applications/Flood.app", test::infoPlistText("com.acme.flood", flood));
    // A translation holding one is passed over for the name the Info.plist gives.
    bundle("Applications/Translated.app", test::infoPlistText("com.acme.translated", "Plain"));
    tree.textFile("Applications/Translated.app/Contents/Resources/en.lproj/InfoPlist.strings",
                  test::infoPlistText("", "Translated\0"s));

    std::map<std::string, InstalledApp> byBundle;
    for (const auto& app : fetch())
        byBundle.emplace(app.path.substr(app.path.rfind('/') + 1), app);
    ASSERT_EQ(byBundle.size(), 5u);
    for (const char* refused : {"Unicode", "Key", "Raw", "Flood"}) {
        EXPECT_EQ(byBundle[refused + ".app"s].appName, refused);
        EXPECT_EQ(byBundle[refused + ".app"s].bundleIdentifier, refused);
    }
    EXPECT_EQ(byBundle["Translated.app"].appName, "Plain");
}

TEST_F(AppInfoFetcherTest, APipeWhereABundleFileShouldBeIsNeverWaitedOn) {
    // Nobody writes to these pipes: a read of one would wait for good.
    bundle("Applications/Piped.app", test::infoPlistText("com.acme.piped", "Piped"));
    tree.folder("Applications/Piped.app/Contents/Resources/de.lproj");
    ASSERT_EQ(
        ::mkfifo(tree.path("Applications/Piped.app/Contents/Resources/de.lproj/InfoPlist.strings").c_str(),
                 0644),
        0);
    tree.folder("Applications/Blocked.app/Contents");
    ASSERT_EQ(::mkfifo(tree.path("Applications/Blocked.app/Contents/Info.plist").c_str(), 0644), 0);

    std::map<std::string, std::string> names;
    for (const auto& app : fetch({"de"}))
        names.emplace(app.bundleIdentifier, app.appName);
    EXPECT_EQ(names,
              (std::map<std::string, std::string>{{"com.acme.piped", "Piped"}, {"Blocked", "Blocked"}}));
}

TEST_F(AppInfoFetcherTest, AStoppedFetchReadsNoFurther) {
    bundle("Applications/Editor.app", test::infoPlistText("com.acme.editor", "Editor"));
    std::stop_source replaced;
    replaced.request_stop();
    EXPECT_TRUE(
        AppInfoFetcher({tree.path("Applications")}, {"en"}).fetchInstalledApps(replaced.get_token()).empty());
    EXPECT_EQ(fetch().size(), 1u);
}

TEST_F(AppInfoFetcherTest, MissingRootsGiveAnEmptyList) {
    EXPECT_TRUE(fetch().empty());
}

} // namespace
} // namespace zn
