#include "Logic/Scanning/AppPathFinder.h"
#include "Platform/core/MainQueue.h"
#include "support/FixtureTree.h"
#include "support/Privileges.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zn {
namespace {

using Paths = std::set<std::string>;

std::string containerMetadata(const std::string& identifier) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\"><dict><key>MCMMetadataIdentifier</key><string>" +
           identifier + "</string></dict></plist>\n";
}

// A home folder and a system root laid out like a Mac's, searched with every root injected.
class AppPathFinderTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = tree.folder("home");
        sys = tree.folder("sys");
        for (const char* folder : {"Preferences", "Caches", "Application Support", "Containers", "Logs"})
            tree.folder(std::string("home/Library/") + folder);
        tree.folder("home/Documents");
        tree.folder("sys/Library/Application Support");
        tree.file("sys/Applications/Foo Bar.app/Contents/Info.plist", 100);
        tree.file("sys/Applications/Other.app/Contents/Info.plist", 100);
    }

    AppPathFinder::AppInfo fooBar() const {
        return {"Foo Bar", "com.foo.bar", sys + "/Applications/Foo Bar.app", std::nullopt, std::nullopt};
    }
    AppPathFinder::AppInfo appAt(const std::string& name, const std::string& identifier) const {
        return {name, identifier, sys + "/Applications/" + name + ".app", std::nullopt, std::nullopt};
    }
    Locations locations(const std::string& tempDir = "") const {
        return Locations({home, sys, home + "/Library/Caches", tempDir});
    }
    AppPathFinder::Tables tables() const { return {makeAppConditions(home), makeSkipConditions(home, sys)}; }
    Paths find(const AppPathFinder::AppInfo& app, unsigned workers = 0,
               AppPathFinder::Sensitivity sensitivity = AppPathFinder::Sensitivity::enhanced) const {
        return AppPathFinder(app, locations(), sensitivity, tables(), {}, workers).findPaths();
    }
    std::string h(const std::string& relative) const { return home + "/" + relative; }
    // Searched beside the `installed` applications, whose bundles are laid out first.
    Paths findBeside(const AppPathFinder::AppInfo& app,
                     const std::vector<AppPathFinder::AppInfo>& installed) {
        for (const auto& other : installed)
            tree.folder(other.path.substr(tree.root().size() + 1));
        return AppPathFinder(app, locations(), AppPathFinder::Sensitivity::enhanced, tables(), {installed})
            .findPaths();
    }

    test::FixtureTree tree;
    std::string home;
    std::string sys;
};

TEST_F(AppPathFinderTest, FindsTheBundlePreferencesCachesAndVendorFolder) {
    tree.file("home/Library/Preferences/com.foo.bar.plist", 10);
    tree.file("home/Library/Preferences/com.other.app.plist", 10);
    tree.file("home/Library/Preferences/.DS_Store", 10);
    tree.file("home/Library/Caches/com.foo.bar/Cache.db", 10);
    tree.file("home/Library/Caches/com.foo.bar/fsCachedData/0A1B", 10);
    tree.file("home/Library/Caches/.DS_Store", 10);
    tree.file("home/Library/Application Support/Vendor/Foo Bar/state.json", 10);
    tree.file("home/Library/Application Support/Vendor/.DS_Store", 10);
    tree.file("home/Library/Application Support/Unrelated/data", 10);
    // Excluded places: not descended into, skipped by name, or under a credential path.
    tree.file("home/Library/Mail/V10/Foo Bar Attachment.pdf", 10);
    tree.file("home/Library/Mobile Documents/com~foo~bar/notes", 10);
    tree.file("home/Library/Caches/com.apple.passwordmanager.foobar", 10);
    tree.file("home/.config/foobar/config.json", 10);
    tree.file("home/.config/com.foo.bar.json", 10);
    tree.file("home/Documents/Report.pdf", 10);

    const Paths expected = {sys + "/Applications/Foo Bar.app", h("Library/Preferences/com.foo.bar.plist"),
                            h("Library/Caches/com.foo.bar"), h("Library/Application Support/Vendor")};
    EXPECT_EQ(find(fooBar()), expected);
    EXPECT_EQ(find(fooBar(), 1), expected);
}

TEST_F(AppPathFinderTest, ContainerNamedByItsMetadata) {
    tree.textFile("home/Library/Containers/0D9F43A1-7A0B-4C59-9B19-1E3A1CC2A0F1/"
                  ".com.apple.containermanagerd.metadata.plist",
                  containerMetadata("com.foo.bar"));
    tree.textFile("home/Library/Containers/5C0B1E7D-2F44-4E1A-8D7E-7C0FD1E5A2B3/"
                  ".com.apple.containermanagerd.metadata.plist",
                  containerMetadata("COM.FOO.BAR")); // another case: not this application
    tree.folder("home/Library/Containers/9E2A6B55-0C3D-4F8E-A1B2-C3D4E5F60718"); // no metadata
    tree.textFile("home/Library/Containers/short-name/.com.apple.containermanagerd.metadata.plist",
                  containerMetadata("com.foo.bar"));            // not shaped like a UUID
    tree.file("home/Library/Containers/Com.Foo.Bar/Data/x", 1); // the identifier as its name

    EXPECT_EQ(find(fooBar()), (Paths{sys + "/Applications/Foo Bar.app",
                                     h("Library/Containers/0D9F43A1-7A0B-4C59-9B19-1E3A1CC2A0F1"),
                                     h("Library/Containers/Com.Foo.Bar")}));
}

TEST_F(AppPathFinderTest, MailIsNeverMatchedByItsNameAlone) {
    tree.file("sys/Applications/Mail.app/Contents/Info.plist", 1);
    tree.file("home/Library/Mail/V10/MailData/Envelope Index", 10);
    tree.file("home/Library/Caches/Mail/x", 1);
    tree.file("home/Documents/Mail Archive/x", 1);
    tree.file("home/Library/Preferences/com.apple.mail.plist", 10);
    tree.folder("home/Library/Containers/com.apple.mail");

    EXPECT_EQ(find(appAt("Mail", "com.apple.mail")),
              (Paths{sys + "/Applications/Mail.app", h("Library/Preferences/com.apple.mail.plist"),
                     h("Library/Containers/com.apple.mail")}));
}

TEST_F(AppPathFinderTest, NeverReportsLibraryFoldersOrSearchRoots) {
    tree.folder("home/Library/Application Support/com.example.support");
    tree.folder("sys/Users/Shared/Library/Application Support");
    tree.folder("home/Library/Caches/com.google.Keystone/Support");
    // An application called "Support" matches "Application Support" by name.
    EXPECT_EQ(find(appAt("Support", "com.example.support")),
              (Paths{sys + "/Applications/Support.app", h("Library/Application Support/com.example.support"),
                     h("Library/Caches/com.google.Keystone/Support")}));

    tree.file("home/Library/Preferences/org.example.library.plist", 1);
    EXPECT_EQ(find(appAt("Library", "org.example.library")),
              (Paths{sys + "/Applications/Library.app", h("Library/Preferences/org.example.library.plist")}));

    // A search root of its own ("com.google.Keystone" inside Caches) is not offered either.
    EXPECT_EQ(find(appAt("Keystone", "com.example.keystone")), (Paths{sys + "/Applications/Keystone.app"}));
}

TEST_F(AppPathFinderTest, DepthsParentRuleAndTopLevelPruning) {
    tree.file("home/Library/Application Support/Caches/FooBar.db", 1); // parent is a standard name
    tree.file("home/Documents/a/FooBar.txt", 1);
    tree.file("home/Documents/a/b/FooBar.txt", 1); // deeper than a plain root is listed
    tree.file("home/Library/Safari/FooBar.plist", 1);
    tree.file("home/Library/safari/FooBar.plist", 1); // another case: descended into
    tree.file("home/Library/Logs/Vendor/FooBar.log", 1);
    tree.file("home/Library/Logs/Other/Deep/FooBar.log", 1); // below every listed level

    EXPECT_EQ(
        find(fooBar()),
        (Paths{sys + "/Applications/Foo Bar.app", h("Library/Application Support/Caches/FooBar.db"),
               h("Documents/a/FooBar.txt"), h("Library/safari/FooBar.plist"), h("Library/Logs/Vendor")}));
}

TEST_F(AppPathFinderTest, SameTreeSameResultWhateverTheTiming) {
    // Reached by three roots: the home Library reports the vendor folder by the parent rule, the Caches
    // root (twice, as caches folder) reports the item itself.
    tree.file("home/Library/Caches/Vendor/Foo Bar/blob", 1);
    for (int i = 0; i < 40; ++i)
        tree.file("home/Library/Caches/filler" + std::to_string(i) + "/x", 1);
    const Paths expected = {sys + "/Applications/Foo Bar.app", h("Library/Caches/Vendor")};
    for (int run = 0; run < 20; ++run) {
        EXPECT_EQ(find(fooBar(), 8), expected) << "run " << run;
        EXPECT_EQ(find(fooBar(), 1), expected) << "run " << run;
    }
}

TEST_F(AppPathFinderTest, TrashRuleAndSymbolicLinks) {
    tree.file("home/.local/share/Trash/files/Baz Qux.app/Contents/Info.plist", 1);
    const AppPathFinder::AppInfo trashed = {
        "Baz Qux", "com.baz.qux", h(".local/share/Trash/files/Baz Qux.app/"), std::nullopt, std::nullopt};
    EXPECT_EQ(find(trashed), Paths{});
    // The Trash of another data home, and the Trash of another mount.
    tree.file("data/Trash/files/Baz Qux.app/Contents/Info.plist", 1);
    const AppPathFinder::AppInfo inData = {
        "Baz Qux", "com.baz.qux", tree.path("data/Trash/files/Baz Qux.app"), std::nullopt, std::nullopt};
    const Locations withData({home, sys, home + "/Library/Caches", "", tree.path("data")});
    EXPECT_EQ(AppPathFinder(inData, withData, AppPathFinder::Sensitivity::enhanced, tables()).findPaths(),
              Paths{});
    EXPECT_EQ(find(inData), Paths{inData.path});
    tree.file("usb/.Trash-1000/files/Baz Qux.app/Contents/Info.plist", 1);
    const AppPathFinder::AppInfo onMount = {
        "Baz Qux", "com.baz.qux", tree.path("usb/.Trash-1000/files/Baz Qux.app"), std::nullopt, std::nullopt};
    EXPECT_EQ(find(onMount), Paths{});

    tree.file("outside/Baz Qux Data/secret", 1);
    tree.symlink("home/Documents/linked", tree.path("outside"));
    tree.symlink("home/Library/Caches/bazqux-link", tree.path("outside"));
    tree.symlink("home/Library/Caches/com.baz.qux.dangling", tree.path("nowhere"));
    tree.file("home/Library/Preferences/com.baz.qux.plist", 1);
    // A linked folder is offered as the link, and what lies behind it is not searched.
    EXPECT_EQ(find(trashed),
              (Paths{h(".local/share/Trash/files/Baz Qux.app"), h("Library/Caches/bazqux-link"),
                     h("Library/Preferences/com.baz.qux.plist")}));
}

TEST_F(AppPathFinderTest, NothingIsOfferedFromBehindALinkedFolder) {
    // A folder of "Application Support" that leads elsewhere, to a folder named like the application.
    tree.textFile("outside/com.acme.widget/data", "keep");
    tree.symlink("home/Library/Application Support/Shared", tree.path("outside"));
    tree.folder("home/Library/Application Support/com.acme.widget");
    const auto widget = appAt("Acme Widget", "com.acme.widget");
    EXPECT_EQ(find(widget), (Paths{widget.path, h("Library/Application Support/com.acme.widget")}));

    // The whole Library a link to a system folder: an application named like one of its entries is offered
    // only its bundle, not the system's folder, nor a container found there.
    tree.folder("etc/fonts/conf.d");
    tree.folder("etc/Caches/fonts");
    tree.folder("etc/Containers/fonts");
    tree.folder("linked/Documents");
    tree.symlink("linked/Library", tree.path("etc"));
    const std::string linkedHome = tree.path("linked");
    const Locations linked({linkedHome, sys, linkedHome + "/Library/Caches", ""});
    const auto fonts = appAt("fonts", "fonts");
    const AppPathFinder::Tables linkedTables{makeAppConditions(linkedHome),
                                             makeSkipConditions(linkedHome, sys)};
    EXPECT_EQ(AppPathFinder(fonts, linked, AppPathFinder::Sensitivity::enhanced, linkedTables).findPaths(),
              Paths{fonts.path});
    EXPECT_EQ(AppPathFinder(fonts, linked, AppPathFinder::Sensitivity::deep, linkedTables).findPaths(),
              Paths{fonts.path});

    // A forced path inside a linked folder is not offered either.
    AppPathFinder::Tables forced = tables();
    forced.appConditions.emplace_back(
        "com.acme.widget", std::vector<std::string>{}, std::vector<std::string>{},
        std::vector<std::string>{h("Library/Application Support/Shared/com.acme.widget")},
        std::vector<std::string>{});
    EXPECT_EQ(AppPathFinder(widget, locations(), AppPathFinder::Sensitivity::enhanced, forced).findPaths(),
              (Paths{widget.path, h("Library/Application Support/com.acme.widget")}));
}

TEST_F(AppPathFinderTest, ForcedIncludesAndExcludes) {
    tree.file("sys/Applications/Visual Studio Code.app/Contents/Info.plist", 1);
    tree.file("home/Library/Application Support/Code/User/settings.json", 1);
    tree.folder("home/Library/Caches/com.microsoft.VSCodeInsiders");
    tree.folder("home/Library/Caches/com.microsoft.VSCode.ShipIt");
    const auto code = appAt("Visual Studio Code", "com.microsoft.VSCode");
    EXPECT_EQ(find(code),
              (Paths{sys + "/Applications/Visual Studio Code.app", h("Library/Application Support/Code"),
                     h("Library/Caches/com.microsoft.VSCode.ShipIt")}));

    tree.file("home/Library/Caches/com.foo.bar/x", 1);
    tree.file("home/Library/Logs/com.foo.bar.log", 1);
    AppPathFinder::Tables custom = tables();
    custom.appConditions.emplace_back("com.foo.bar", std::vector<std::string>{}, std::vector<std::string>{},
                                      std::vector<std::string>{h("Library/Logs")},
                                      std::vector<std::string>{h("Library/Caches/com.foo.bar/")});
    const Paths found =
        AppPathFinder(fooBar(), locations(), AppPathFinder::Sensitivity::enhanced, custom).findPaths();
    // The forced Logs folder is a standard folder of the home Library: never offered.
    EXPECT_EQ(found, (Paths{sys + "/Applications/Foo Bar.app", h("Library/Logs/com.foo.bar.log")}));
}

TEST_F(AppPathFinderTest, EmptyAndRelativeRootsListNothing) {
    tree.file("rel/foobar.txt", 1);
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(tree.root().c_str()), 0);
    const Paths found =
        AppPathFinder(fooBar(), locations("rel"), AppPathFinder::Sensitivity::enhanced, tables()).findPaths();
    ASSERT_EQ(::chdir(previous), 0);
    EXPECT_EQ(found, Paths{sys + "/Applications/Foo Bar.app"});

    Locations none = locations();
    none.appSearch.paths.clear();
    EXPECT_EQ(AppPathFinder(fooBar(), none, AppPathFinder::Sensitivity::enhanced, tables()).findPaths(),
              Paths{sys + "/Applications/Foo Bar.app"});
}

TEST_F(AppPathFinderTest, AnotherInstalledApplicationIsNeverOffered) {
    const auto firefox = appAt("Firefox", "org.mozilla.firefox");
    const auto nightly = appAt("Firefox Nightly", "org.mozilla.nightly");
    tree.folder("sys/Applications/Firefox.app");
    tree.folder("sys/Applications/Firefox Nightly.app/Firefox Helper");
    tree.file("home/Library/Application Support/Firefox/profiles.ini", 1);
    tree.file("home/Library/Application Support/Firefox Nightly/profiles.ini", 1);
    tree.file("home/Library/Application Support/Firefox Nightly/Firefox Crash Reports/x", 1);
    tree.file("home/Library/Application Support/Mozilla/Firefox/x", 1);
    tree.file("home/Library/Application Support/Mozilla/Firefox Nightly/x", 1);
    tree.file("home/Library/Caches/Firefox Nightly/cache2", 1);
    tree.file("home/Library/Preferences/org.mozilla.firefox.plist", 1);
    // A folder of the Applications folder that holds another application's bundle.
    const std::string tools = tree.folder("sys/Applications/Firefox Tools");
    const AppPathFinder::AppInfo kit = {"Kit", "org.example.kit", tools + "/Kit.app", std::nullopt,
                                        std::nullopt};

    // Nightly not installed: the name rules offer its leftovers, its bundle and the whole vendor folder.
    EXPECT_EQ(
        find(firefox),
        (Paths{firefox.path, nightly.path, tools, h("Library/Application Support/Firefox"),
               h("Library/Application Support/Firefox Nightly"), h("Library/Application Support/Mozilla"),
               h("Library/Caches/Firefox Nightly"), h("Library/Preferences/org.mozilla.firefox.plist")}));

    // Installed: neither its bundle nor anything in it or named after it, nor a folder holding a bundle;
    // of the shared vendor folder only Firefox's own entry.
    EXPECT_EQ(findBeside(firefox, {firefox, nightly, kit}),
              (Paths{firefox.path, h("Library/Application Support/Firefox"),
                     h("Library/Application Support/Mozilla/Firefox"),
                     h("Library/Preferences/org.mozilla.firefox.plist")}));
    // Firefox installed beside it takes nothing from Nightly's own search.
    EXPECT_EQ(findBeside(nightly, {firefox, nightly}),
              (Paths{nightly.path, h("Library/Application Support/Firefox Nightly"),
                     h("Library/Application Support/Mozilla/Firefox Nightly"),
                     h("Library/Caches/Firefox Nightly")}));
}

TEST_F(AppPathFinderTest, AFamilyOfApplicationsKeepsEachItsOwn) {
    const auto blender36 = appAt("Blender 3.6", "org.blenderfoundation.blender36");
    const auto blender40 = appAt("Blender 4.0", "org.blenderfoundation.blender40");
    tree.folder("sys/Applications/Blender 3.6.app");
    EXPECT_EQ(findBeside(blender36, {blender36, blender40}), Paths{blender36.path});

    std::vector<AppPathFinder::AppInfo> guiApps;
    for (int n = 0; n <= 30; ++n) {
        guiApps.push_back(appAt("Gui App " + std::to_string(n), "com.example.gui" + std::to_string(n)));
        tree.file("home/Library/Application Support/Gui App " + std::to_string(n) + "/state", 1);
    }
    EXPECT_EQ(findBeside(guiApps[0], guiApps),
              (Paths{guiApps[0].path, h("Library/Application Support/Gui App 0")}));

    const auto chat = appAt("Chat", "com.acme.chat");
    const auto chatter = appAt("Chatter", "com.acme.chatter");
    tree.folder("home/Library/Application Support/com.acme.chat");
    tree.folder("home/Library/Application Support/com.acme.chatter");
    tree.file("home/Library/Preferences/com.acme.chat.plist", 1);
    tree.file("home/Library/Preferences/com.acme.chatter.plist", 1);
    EXPECT_EQ(findBeside(chat, {chat, chatter}),
              (Paths{chat.path, h("Library/Application Support/com.acme.chat"),
                     h("Library/Preferences/com.acme.chat.plist")}));
}

// A temporary folder shared like /tmp, searched for `user`.
class SharedTemporaryFolderTest : public AppPathFinderTest {
protected:
    void SetUp() override {
        AppPathFinderTest::SetUp();
        temporary = tree.folder("tmp");
        tree.file("tmp/com.foo.bar.lock", 1);
        tree.folder("tmp/foobar-mine");
        ASSERT_EQ(::chmod(temporary.c_str(), 01777), 0);
    }
    Paths findAs(uid_t user) const {
        return AppPathFinder(fooBar(), locations(temporary), AppPathFinder::Sensitivity::enhanced, tables(),
                             {{}, user})
            .findPaths();
    }
    Paths own() const { return {fooBar().path, temporary + "/com.foo.bar.lock", temporary + "/foobar-mine"}; }

    std::string temporary;
};

TEST_F(SharedTemporaryFolderTest, OnlyTheUsersOwnEntriesAreOffered) {
    EXPECT_EQ(findAs(::getuid()), own());
    // Searched for another user, the same entries are not theirs.
    EXPECT_EQ(findAs(::getuid() + 1), Paths{fooBar().path});
    // A folder only its owner writes to keeps the name rules alone.
    ASSERT_EQ(::chmod(temporary.c_str(), 0755), 0);
    EXPECT_EQ(findAs(::getuid() + 1), own());
}

TEST_F(SharedTemporaryFolderTest, AnotherUsersEntryIsNotOffered) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    const std::string theirs = tree.file("tmp/foobar-theirs", 1);
    ASSERT_EQ(::lchown(theirs.c_str(), test::kOtherUser, test::kOtherUser), 0);
    EXPECT_EQ(findAs(::getuid()), own());
}

TEST_F(AppPathFinderTest, AsynchronousCompletionArrivesThroughTheMainQueue) {
    MainQueue::drainPending();
    tree.file("home/Library/Preferences/com.foo.bar.plist", 1);
    int calls = 0;
    Paths delivered;
    const auto mainThread = std::this_thread::get_id();
    AppPathFinder(fooBar(), locations(), AppPathFinder::Sensitivity::enhanced, tables())
        .findPathsAsync([&](Paths found) {
            ++calls;
            delivered = std::move(found);
            EXPECT_EQ(std::this_thread::get_id(), mainThread);
        });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (calls == 0 && std::chrono::steady_clock::now() < deadline) {
        MainQueue::drainPending();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    MainQueue::drainPending();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(delivered,
              (Paths{sys + "/Applications/Foo Bar.app", h("Library/Preferences/com.foo.bar.plist")}));
}

} // namespace
} // namespace zn
