#include "Logic/Scanning/AppInfoFetcher.h"
#include "Logic/Scanning/AppPathFinder.h"
#include "Platform/core/MainQueue.h"
#include "support/AccessAclFixture.h"
#include "support/FixtureTree.h"
#include "support/InfoPlistText.h"
#include "support/Patience.h"
#include "support/Privileges.h"
#include "support/ScopedBindMount.h"

#include <chrono>
#include <cstring>
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

    // The vendor folder holds the file manager's view settings too, which are no application's: only
    // Foo Bar's own folder in it is offered.
    const Paths expected = {sys + "/Applications/Foo Bar.app", h("Library/Preferences/com.foo.bar.plist"),
                            h("Library/Caches/com.foo.bar"), h("Library/Application Support/Vendor/Foo Bar")};
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
    tree.file("home/Library/Application Support/Firefox/profiles.ini", 1);
    tree.file("home/Library/Application Support/Firefox Nightly/profiles.ini", 1);
    tree.file("home/Library/Application Support/Firefox Nightly/Firefox Crash Reports/x", 1);
    tree.file("home/Library/Application Support/Mozilla/Firefox/x", 1);
    tree.file("home/Library/Application Support/Mozilla/Firefox Nightly/x", 1);
    tree.file("home/Library/Caches/Firefox Nightly/cache2", 1);
    tree.file("home/Library/Caches/Firefox Nightly/firefox-shared.db", 1);
    tree.file("home/Library/Preferences/org.mozilla.firefox.plist", 1);
    const std::string tools = tree.folder("sys/Applications/Firefox Tools");
    tree.file("sys/Applications/Firefox Tools/firefox-notes.txt", 1);

    // Nightly not installed: the name rules offer its leftovers and the whole vendor folder.
    EXPECT_EQ(
        find(firefox),
        (Paths{firefox.path, tools, h("Library/Application Support/Firefox"),
               h("Library/Application Support/Firefox Nightly"), h("Library/Application Support/Mozilla"),
               h("Library/Caches/Firefox Nightly"), h("Library/Preferences/org.mozilla.firefox.plist")}));

    // Installed: neither its bundle nor anything in it or named after it, nor a folder holding a bundle (one
    // the list passed leaves out too) but for Firefox's own entries in it; of the shared vendor folder only
    // Firefox's own entry.
    tree.folder("sys/Applications/Firefox Nightly.app/Firefox Helper");
    tree.folder("sys/Applications/Firefox Tools/Kit.app");
    EXPECT_EQ(findBeside(firefox, {firefox, nightly}),
              (Paths{firefox.path, tools + "/firefox-notes.txt", h("Library/Application Support/Firefox"),
                     h("Library/Application Support/Mozilla/Firefox"),
                     h("Library/Preferences/org.mozilla.firefox.plist")}));
    // Firefox installed beside it takes nothing from Nightly's own search, not even Nightly's entry named
    // after Firefox.
    EXPECT_EQ(findBeside(nightly, {firefox, nightly}),
              (Paths{nightly.path, h("Library/Application Support/Firefox Nightly"),
                     h("Library/Application Support/Mozilla/Firefox Nightly"),
                     h("Library/Caches/Firefox Nightly")}));
}

TEST_F(AppPathFinderTest, AFolderAChannelSharesGoesOnlyBesideAFolderOfTheChannelsOwn) {
    const auto brave = appAt("Brave Browser", "com.brave.Browser");
    const auto beta = appAt("Brave Browser Beta", "com.brave.Browser.beta");
    tree.file("home/Library/Application Support/BraveSoftware/Brave-Browser/Default/Preferences", 1);
    EXPECT_EQ(findBeside(brave, {}), (Paths{brave.path, h("Library/Application Support/BraveSoftware")}));
    // The channel keeps nothing of its own yet: Brave's folder, and the vendor's holding it, may be its too.
    EXPECT_EQ(findBeside(brave, {brave, beta}), Paths{brave.path});
    tree.folder("home/Library/Application Support/BraveSoftware/Brave-Browser-Beta");
    EXPECT_EQ(findBeside(brave, {brave, beta}),
              (Paths{brave.path, h("Library/Application Support/BraveSoftware/Brave-Browser")}));
}

TEST_F(AppPathFinderTest, AFolderFoundForAnEntryInsideGoesWholeOnlyWhenAllItHoldsIsThisApplications) {
    tree.file("home/Library/Application Support/Vendor/Foo Bar/state.json", 1);
    tree.file("home/Library/Application Support/Vendor/com.foo.bar.helper.plist", 1);
    EXPECT_EQ(find(fooBar()), (Paths{fooBar().path, h("Library/Application Support/Vendor")}));

    // Something of another's beside its own.
    const std::string other = tree.file("home/Library/Application Support/Vendor/Other Tool", 1);
    EXPECT_EQ(find(fooBar()), (Paths{fooBar().path, h("Library/Application Support/Vendor/Foo Bar"),
                                     h("Library/Application Support/Vendor/com.foo.bar.helper.plist")}));
    ASSERT_EQ(::unlink(other.c_str()), 0);

    // An entry of its own that cannot go whole (it holds another installed application's folder) keeps
    // the folder it lies in from going whole too.
    tree.folder("home/Library/Application Support/Vendor/Foo Bar/Zorblax");
    EXPECT_EQ(findBeside(fooBar(), {appAt("Zorblax", "com.acme.zorblax")}),
              (Paths{fooBar().path, h("Library/Application Support/Vendor/com.foo.bar.helper.plist")}));
}

TEST_F(AppPathFinderTest, AFolderHoldingWhatTheSkipTablesKeepNeverGoesWhole) {
    tree.file("home/Library/Application Support/Foo Bar/state.json", 1);
    tree.file("home/Library/Caches/Foo Bar/blob", 1);
    tree.file("home/Library/Caches/Foo Bar/NativeMessagingHosts/foobar-host.json", 1);
    tree.file("home/Library/Caches/Foo Bar/NativeMessagingHosts/com.apple.passwordmanager.json", 1);
    // The file manager's view settings, at any depth, go with the folder that holds them.
    tree.file("home/Library/Application Support/Foo Bar/.DS_Store", 1);
    tree.file("home/Library/Application Support/Foo Bar/Profiles/.DS_Store", 1);
    EXPECT_EQ(find(fooBar()), (Paths{fooBar().path, h("Library/Application Support/Foo Bar")}));
}

// One family of real applications: the one removed, the others installed beside it, their files as they
// lay them out, and what the removed one offers with and without the others installed. Paths are relative
// to the fixture; bundles lie in "sys/Applications" unless their path says otherwise.
struct FamilyCase {
    struct App {
        std::string name;
        std::string identifier;
        std::string bundle = {}; // default: "sys/Applications/<name>.app"
    };
    App removed;
    std::vector<App> installedBeside;
    std::vector<std::string> files;
    std::set<std::string> offeredBeside;
    std::set<std::string> offeredAlone;
};

// Slack and Local, both Electron applications, each with the data folder every such application keeps.
std::vector<std::string> slackAndLocalFiles() {
    std::vector<std::string> files = {
        "home/Library/Application Support/Slack/storage/root-state.json",
        "home/Library/Caches/com.tinyspeck.slackmacgap/Cache.db",
        "home/Library/Caches/com.tinyspeck.slackmacgap.ShipIt/update.zip",
        "home/Library/Preferences/com.tinyspeck.slackmacgap.plist",
        "home/Library/Saved Application State/com.tinyspeck.slackmacgap.savedState/windows.plist",
        "home/Library/Application Support/Local/sites.json",
        "home/Library/Logs/local-lightning.log",
        "home/Library/Preferences/com.getflywheel.lightning.local.plist",
        "home/Library/Saved Application State/com.getflywheel.lightning.local.savedState/windows.plist"};
    for (const std::string app : {"Slack", "Local"})
        for (const char* entry : {"Local Storage/leveldb/000003.log", "Local State",
                                  "Session Storage/000003.log", "Shared Dictionary/db"})
            files.push_back("home/Library/Application Support/" + app + "/" + entry);
    return files;
}

const std::vector<std::string> kOnePasswordFiles = {
    "home/Library/Group Containers/2BUA8C4S2C.com.1password/Library/Application "
    "Support/1Password/Data/1P.sqlite",
    "home/Library/Containers/com.1password.safari/Data/Library/Preferences/com.1password.safari.plist",
    "home/Library/Application Scripts/2BUA8C4S2C.com.1password.browser-support/native-host",
    "home/Library/Preferences/com.1password.1password.plist"};
const std::set<std::string> kOnePasswordOwn = {
    "home/Library/Group Containers/2BUA8C4S2C.com.1password", "home/Library/Containers/com.1password.safari",
    "home/Library/Application Scripts/2BUA8C4S2C.com.1password.browser-support",
    "home/Library/Preferences/com.1password.1password.plist"};

std::vector<std::string> withOnePassword(std::vector<std::string> files) {
    files.insert(files.end(), kOnePasswordFiles.begin(), kOnePasswordFiles.end());
    return files;
}

std::set<std::string> withOnePasswordOwn(std::set<std::string> paths) {
    paths.insert(kOnePasswordOwn.begin(), kOnePasswordOwn.end());
    return paths;
}

const std::vector<std::string> kProtonFiles = {
    "home/Library/Application Support/Proton Mail/Local Storage/leveldb/000003.log",
    "home/Library/Application Support/Proton Mail/config.json",
    "home/Library/Logs/Proton Mail/main.log",
    "home/Library/Preferences/ch.protonmail.desktop.plist",
    "home/Library/Containers/ch.protonmail.drive/Data/Library/Preferences/ch.protonmail.drive.plist",
    "home/Library/Group Containers/2SB5Z68H26.ch.protonmail.protondrive/Library/Caches/sync.db",
    "home/Library/Preferences/ch.protonmail.drive.plist"};

// Firefox, Firefox Nightly and Firefox Developer Edition keep their profiles side by side in Firefox's
// folders.
std::vector<std::string> firefoxChannelFiles() {
    std::vector<std::string> files;
    for (const std::string profile :
         {"r8a2k1.default-release", "n3b7x0.default-nightly", "d9c4m5.dev-edition-default"}) {
        files.push_back("home/Library/Application Support/Firefox/Profiles/" + profile + "/places.sqlite");
        files.push_back("home/Library/Caches/Firefox/Profiles/" + profile + "/cache2/index");
    }
    files.push_back("home/Library/Application Support/Firefox/profiles.ini");
    for (const std::string identifier :
         {"org.mozilla.firefox", "org.mozilla.nightly", "org.mozilla.firefoxdeveloperedition"}) {
        files.push_back("home/Library/Preferences/" + identifier + ".plist");
        files.push_back("home/Library/Saved Application State/" + identifier + ".savedState/windows.plist");
    }
    return files;
}

// Every file-provider application keeps its domain in one shared folder, beside the system's own.
const std::vector<std::string> kFileProviderFiles = {
    "home/Library/Application Support/FileProvider/com.getdropbox.dropbox.fileprovider/db/meta.sqlite",
    "home/Library/Application Support/FileProvider/com.google.drivefs.fpext/db/meta.sqlite",
    "home/Library/Application Support/FileProvider/com.box.desktop.boxfileprovider/db/meta.sqlite",
    "home/Library/Application Support/FileProvider/com.microsoft.OneDrive.FileProvider/db/meta.sqlite",
    "home/Library/Application "
    "Support/FileProvider/com.apple.CloudDocs.iCloudDriveFileProvider/db/meta.sqlite",
    "home/Library/Application Support/Dropbox/instance1/config.dbx",
    "home/Library/Preferences/com.getdropbox.dropbox.plist",
    "home/Library/Preferences/com.google.drivefs.settings.plist",
    "home/Library/Preferences/com.box.desktop.plist",
    "home/Library/Application Support/OneDrive/settings/Personal/global.ini",
    "home/Library/Preferences/com.microsoft.OneDrive.plist"};

// The system marks localised folders with ".localized" and an empty ".localized" file inside.
const std::vector<std::string> kLocalizedFiles = {
    "home/Documents/.localized",
    "home/Desktop/.localized",
    "sys/Users/Shared/.localized",
    "home/Library/Group Containers/UBF8T346G9.Office/User Content.localized/Templates.localized/.localized",
    "home/Library/Group Containers/UBF8T346G9.Office/User "
    "Content.localized/Startup.localized/Word/addin.dotm",
    "home/Library/Containers/com.microsoft.Word/Data/Library/Preferences/com.microsoft.Word.plist",
    "sys/Library/Application Support/Logitech.localized/.localized",
    "sys/Library/Application Support/Logitech.localized/LogiOptionsPlus/settings.db",
    "home/Library/Preferences/com.logi.optionsplus.plist",
    "home/Library/Application Support/Local/sites.json",
    "home/Library/Logs/local-lightning.log",
    "home/Library/Preferences/com.getflywheel.lightning.local.plist"};

// Karabiner-Elements' settings application is named by its last identifier component, "Settings", which
// names the settings files of many others.
const std::vector<std::string> kSettingsFiles = {
    "home/Library/Preferences/org.pqrs.Karabiner-Elements.Settings.plist",
    "home/Library/Application Support/discord/settings.json",
    "home/Library/Application Support/discord/Local Storage/leveldb/000003.log",
    "home/Library/Caches/com.hnc.Discord/Cache.db",
    "home/Library/Preferences/com.hnc.Discord.plist",
    "home/Library/Group Containers/group.com.docker/settings.json",
    "home/Library/Containers/com.docker.docker/Data/vms/0/data/Docker.raw",
    "home/Library/Preferences/com.docker.docker.plist"};

const std::vector<std::string> kProtonMailAndBridgeFiles = {
    "home/Library/Application Support/Proton Mail/config.json",
    "home/Library/Logs/Proton Mail/main.log",
    "home/Library/Preferences/ch.protonmail.desktop.plist",
    "home/Library/Application Support/protonmail/bridge-v3/vault.enc",
    "home/Library/Caches/protonmail/bridge-v3/gluon/backend/store.db",
    "home/Library/Preferences/com.protonmail.bridge.plist"};

const std::vector<std::string> kUnityFiles = {
    "sys/Applications/Unity/PlaybackEngines/MacStandaloneSupport/ivy.xml",
    "home/Library/Logs/Unity/Editor.log", "home/Library/Preferences/com.unity3d.UnityEditor5.x.plist",
    "home/Library/Application Support/UnityHub/logs/info-log.json",
    "home/Library/Preferences/com.unity3d.unityhub.plist"};

// Names found inside a longer word of another's entry.
const std::vector<std::string> kInsideAWordFiles = {
    "home/Library/Containers/com.lukilabs.lukiapp/Data/Library/Application Support/store.db",
    "home/Library/Caches/com.lukilabs.lukiapp/Cache.db",
    "home/Library/Application Support/minecraft/saves/World1/level.dat",
    "home/Library/Application Support/minecraft/launcher_profiles.json",
    "home/Library/Application Support/iTerm2/version.txt",
    "home/Library/Preferences/com.googlecode.iterm2.plist",
    "home/Library/Saved Application State/com.googlecode.iterm2.savedState/windows.plist",
    "home/Library/Containers/pro.writer.mac/Data/Library/Preferences/pro.writer.mac.plist"};

const std::vector<FamilyCase>& realFamilies() {
    static const std::vector<FamilyCase> families = {
        {{"Google Chrome", "com.google.Chrome"},
         {{"Google Chrome Canary", "com.google.Chrome.canary"},
          {"Google Drive", "com.google.drivefs"},
          {"Google Earth Pro", "com.Google.GoogleEarthPro"}},
         {"home/Library/Application Support/Google/Chrome/Default/Preferences",
          "home/Library/Application Support/Google/Chrome/Local State",
          "home/Library/Application Support/Google/Chrome Canary/Default/Preferences",
          "home/Library/Application Support/Google/DriveFS/1234/content_cache",
          "home/Library/Application Support/Google Earth/myplaces.kml",
          "home/Library/Caches/Google/Chrome/Default/Cache/data_0",
          "home/Library/Caches/Google/Chrome Canary/Default/Cache/data_0",
          "home/Library/Caches/Google Earth/dbCache.dat", "home/Library/Caches/com.google.Chrome/Cache.db",
          "home/Library/Caches/com.google.Chrome.canary/Cache.db",
          "home/Library/Preferences/com.google.Chrome.plist",
          "home/Library/Preferences/com.google.Chrome.canary.plist",
          "home/Library/Preferences/com.google.drivefs.settings.plist",
          "home/Library/Saved Application State/com.google.Chrome.savedState/windows.plist",
          "home/Library/Application Support/Google/GoogleUpdater/updater.log",
          "home/Library/Google/GoogleSoftwareUpdate/Stats/Keystone.stats",
          "sys/Library/Google/GoogleSoftwareUpdate/TicketStore/Keystone.ticketstore"},
         {"home/Library/Application Support/Google/Chrome", "home/Library/Caches/Google/Chrome",
          "home/Library/Caches/com.google.Chrome", "home/Library/Preferences/com.google.Chrome.plist",
          "home/Library/Saved Application State/com.google.Chrome.savedState"},
         {"home/Library/Application Support/Google", "home/Library/Application Support/Google Earth",
          "home/Library/Caches/Google", "home/Library/Caches/Google Earth", "home/Library/Google",
          "sys/Library/Google", "home/Library/Caches/com.google.Chrome",
          "home/Library/Caches/com.google.Chrome.canary", "home/Library/Preferences/com.google.Chrome.plist",
          "home/Library/Preferences/com.google.Chrome.canary.plist",
          "home/Library/Preferences/com.google.drivefs.settings.plist",
          "home/Library/Saved Application State/com.google.Chrome.savedState"}},
        {{"Google Chrome Canary", "com.google.Chrome.canary"},
         {{"Google Chrome", "com.google.Chrome"}},
         {"home/Library/Application Support/Google/Chrome/Default/Preferences",
          "home/Library/Application Support/Google/Chrome Canary/Default/Preferences",
          "home/Library/Caches/com.google.Chrome.canary/Cache.db",
          "home/Library/Preferences/com.google.Chrome.plist"},
         {"home/Library/Application Support/Google/Chrome Canary",
          "home/Library/Caches/com.google.Chrome.canary"},
         {"home/Library/Application Support/Google/Chrome Canary",
          "home/Library/Caches/com.google.Chrome.canary"}},
        {{"Brave Browser", "com.brave.Browser"},
         {{"Brave Browser Beta", "com.brave.Browser.beta"}},
         {"home/Library/Application Support/BraveSoftware/Brave-Browser/Default/Preferences",
          "home/Library/Application Support/BraveSoftware/Brave-Browser-Beta/Default/Preferences",
          "home/Library/Caches/BraveSoftware/Brave-Browser/Default/Cache/data_0",
          "home/Library/Caches/BraveSoftware/Brave-Browser-Beta/Default/Cache/data_0",
          "home/Library/Preferences/com.brave.Browser.plist",
          "home/Library/Preferences/com.brave.Browser.beta.plist"},
         {"home/Library/Application Support/BraveSoftware/Brave-Browser",
          "home/Library/Caches/BraveSoftware/Brave-Browser",
          "home/Library/Preferences/com.brave.Browser.plist"},
         {"home/Library/Application Support/BraveSoftware", "home/Library/Caches/BraveSoftware",
          "home/Library/Preferences/com.brave.Browser.plist",
          "home/Library/Preferences/com.brave.Browser.beta.plist"}},
        {{"Firefox Nightly", "org.mozilla.firefox.nightly"},
         {{"Firefox", "org.mozilla.firefox"}},
         {"home/Library/Application Support/Firefox/Profiles/abc.default-release/prefs.js",
          "home/Library/Application Support/Firefox Nightly/Profiles/xyz.default-nightly/prefs.js",
          "home/Library/Application Support/Mozilla/updates/0123/update.status",
          "home/Library/Caches/Firefox/Profiles/abc.default-release/cache2/index",
          "home/Library/Caches/Firefox Nightly/Profiles/xyz.default-nightly/cache2/index",
          "home/Library/Preferences/org.mozilla.firefox.plist",
          "home/Library/Preferences/org.mozilla.firefox.nightly.plist"},
         {"home/Library/Application Support/Firefox Nightly", "home/Library/Caches/Firefox Nightly",
          "home/Library/Preferences/org.mozilla.firefox.nightly.plist"},
         {"home/Library/Application Support/Firefox", "home/Library/Application Support/Firefox Nightly",
          "home/Library/Application Support/Mozilla", "home/Library/Caches/Firefox",
          "home/Library/Caches/Firefox Nightly", "home/Library/Preferences/org.mozilla.firefox.plist",
          "home/Library/Preferences/org.mozilla.firefox.nightly.plist"}},
        {{"Acme Helper", "com.acme.app.helper"},
         {{"Acme", "com.acme.app"}},
         {"home/Library/Preferences/com.acme.app.plist", "home/Library/Caches/com.acme.app/Cache.db",
          "home/Library/Application Support/com.acme.app/data.db",
          "home/Library/Preferences/com.acme.app.helper.plist", "home/Library/Caches/com.acme.app.helper/x"},
         {"home/Library/Preferences/com.acme.app.helper.plist", "home/Library/Caches/com.acme.app.helper"},
         {"home/Library/Preferences/com.acme.app.plist", "home/Library/Caches/com.acme.app",
          "home/Library/Application Support/com.acme.app",
          "home/Library/Preferences/com.acme.app.helper.plist", "home/Library/Caches/com.acme.app.helper"}},
        {{"Studio 5", "com.example.studio5"},
         {{"Studio", "com.example.studio"}},
         {"home/Library/Application Support/Studio/settings.json", "home/Library/Caches/Studio/x",
          "home/Library/Logs/Studio/studio.log", "home/Library/Application Support/Studio 5/settings.json"},
         {"home/Library/Application Support/Studio 5"},
         {"home/Library/Application Support/Studio", "home/Library/Caches/Studio", "home/Library/Logs/Studio",
          "home/Library/Application Support/Studio 5"}},
        // Versions of one application share its identifier: the one that stays keeps everything.
        {{"Blender 3.6", "org.blenderfoundation.blender"},
         {{"Blender 4.0", "org.blenderfoundation.blender"}},
         {"home/Library/Application Support/Blender/3.6/config/userpref.blend",
          "home/Library/Application Support/Blender/4.0/config/userpref.blend"},
         {},
         {"home/Library/Application Support/Blender"}},
        {{"Visual Studio Code", "com.microsoft.VSCode"},
         {{"Visual Studio Code", "com.microsoft.VSCode", "home/Applications/Visual Studio Code.app"}},
         {"home/Library/Application Support/Code/User/settings.json",
          "home/Library/Caches/com.microsoft.VSCode/Cache.db"},
         {},
         {"home/Library/Application Support/Code", "home/Library/Caches/com.microsoft.VSCode"}},
        // Another application's folder inside this one's keeps the whole from going.
        {{"Zorblax", "com.acme.zorblax"},
         {{"Zorblax Pro", "net.example.zorblaxpro"}},
         {"home/Library/Application Support/Zorblax/zorblax.db",
          "home/Library/Application Support/Zorblax/settings.json",
          "home/Library/Application Support/Zorblax/Zorblax Pro/license.dat"},
         {"home/Library/Application Support/Zorblax/zorblax.db"},
         {"home/Library/Application Support/Zorblax"}},
        // The system's own application, which the list leaves out, is as installed as any.
        {{"Notes", "com.acme.notes", "home/Applications/Notes.app"},
         {{"Notes", "com.apple.Notes"}},
         {"home/Library/Containers/com.acme.notes/Data/notes.db",
          "home/Library/Preferences/com.acme.notes.plist"},
         {"home/Library/Containers/com.acme.notes", "home/Library/Preferences/com.acme.notes.plist"},
         {"home/Library/Containers/com.acme.notes", "home/Library/Preferences/com.acme.notes.plist"}},
        {{"Chat", "com.acme.chat"},
         {{"Chatter", "com.acme.chatter"}},
         {"home/Library/Application Support/com.acme.chat/x",
          "home/Library/Application Support/com.acme.chatter/x",
          "home/Library/Preferences/com.acme.chat.plist", "home/Library/Preferences/com.acme.chatter.plist"},
         {"home/Library/Application Support/com.acme.chat", "home/Library/Preferences/com.acme.chat.plist"},
         {"home/Library/Application Support/com.acme.chat",
          "home/Library/Application Support/com.acme.chatter", "home/Library/Preferences/com.acme.chat.plist",
          "home/Library/Preferences/com.acme.chatter.plist"}}, // Every Chromium and Electron data folder
                                                               // holds "Local Storage" and "Local State": a
                                                               // word of another
        // application's name inside an entry does not make the entry that application's.
        {{"Slack", "com.tinyspeck.slackmacgap"},
         {{"Local", "com.getflywheel.lightning.local"}},
         slackAndLocalFiles(),
         {"home/Library/Application Support/Slack", "home/Library/Caches/com.tinyspeck.slackmacgap",
          "home/Library/Caches/com.tinyspeck.slackmacgap.ShipIt",
          "home/Library/Preferences/com.tinyspeck.slackmacgap.plist",
          "home/Library/Saved Application State/com.tinyspeck.slackmacgap.savedState"},
         {"home/Library/Application Support/Slack", "home/Library/Caches/com.tinyspeck.slackmacgap",
          "home/Library/Caches/com.tinyspeck.slackmacgap.ShipIt",
          "home/Library/Preferences/com.tinyspeck.slackmacgap.plist",
          "home/Library/Saved Application State/com.tinyspeck.slackmacgap.savedState"}},
        {{"Local", "com.getflywheel.lightning.local"},
         {{"Slack", "com.tinyspeck.slackmacgap"}},
         slackAndLocalFiles(),
         {"home/Library/Application Support/Local", "home/Library/Logs/local-lightning.log",
          "home/Library/Preferences/com.getflywheel.lightning.local.plist",
          "home/Library/Saved Application State/com.getflywheel.lightning.local.savedState"},
         {"home/Library/Application Support/Local", "home/Library/Application Support/Slack/Local State",
          "home/Library/Application Support/Slack/Local Storage", "home/Library/Logs/local-lightning.log",
          "home/Library/Preferences/com.getflywheel.lightning.local.plist",
          "home/Library/Saved Application State/com.getflywheel.lightning.local.savedState"}},
        // "1Password 7" without its number ties with "1Password": what carries 1Password's identifier, or its
        // vendor and name, stays 1Password's.
        {{"1Password", "com.1password.1password"},
         {{"1Password 7", "com.agilebits.onepassword7"}},
         withOnePassword(
             {"home/Library/Containers/com.agilebits.onepassword7/Data/Library/Preferences/x.plist",
              "home/Library/Group Containers/2BUA8C4S2C.com.agilebits/Library/Application "
              "Support/1Password/x"}),
         kOnePasswordOwn,
         kOnePasswordOwn},
        {{"1Password 7", "com.agilebits.onepassword7"},
         {{"1Password", "com.1password.1password"}},
         withOnePassword(
             {"home/Library/Containers/com.agilebits.onepassword7/Data/Library/Preferences/x.plist",
              "home/Library/Group Containers/2BUA8C4S2C.com.agilebits/Library/Application "
              "Support/1Password/x"}),
         {"home/Library/Containers/com.agilebits.onepassword7"},
         withOnePasswordOwn({"home/Library/Containers/com.agilebits.onepassword7"})},
        // 1Password's row names "waveboxapp": an include term never takes another application's folder, and
        // is no vendor word that withholds Wavebox its own.
        {{"1Password", "com.1password.1password"},
         {{"Wavebox", "com.bookry.wavebox"}},
         withOnePassword({"home/Library/Application Support/WaveboxApp/Default/Preferences",
                          "home/Library/Caches/WaveboxApp/Default/Cache/data_0",
                          "home/Library/Preferences/com.bookry.wavebox.plist"}),
         kOnePasswordOwn,
         withOnePasswordOwn(
             {"home/Library/Application Support/WaveboxApp", "home/Library/Caches/WaveboxApp"})},
        {{"Wavebox", "com.bookry.wavebox"},
         {{"1Password", "com.1password.1password"}},
         withOnePassword({"home/Library/Application Support/WaveboxApp/Default/Preferences",
                          "home/Library/Caches/WaveboxApp/Default/Cache/data_0",
                          "home/Library/Preferences/com.bookry.wavebox.plist"}),
         {"home/Library/Application Support/WaveboxApp", "home/Library/Caches/WaveboxApp",
          "home/Library/Preferences/com.bookry.wavebox.plist"},
         {"home/Library/Application Support/WaveboxApp", "home/Library/Caches/WaveboxApp",
          "home/Library/Preferences/com.bookry.wavebox.plist"}},
        // Proton Drive's identifier makes "protonmail" a vendor word: it is Proton Mail's own name.
        {{"Proton Mail", "ch.protonmail.desktop"},
         {{"Proton Drive", "ch.protonmail.drive"}},
         kProtonFiles,
         {"home/Library/Application Support/Proton Mail", "home/Library/Logs/Proton Mail",
          "home/Library/Preferences/ch.protonmail.desktop.plist"},
         {"home/Library/Application Support/Proton Mail", "home/Library/Logs/Proton Mail",
          "home/Library/Preferences/ch.protonmail.desktop.plist",
          "home/Library/Containers/ch.protonmail.drive",
          "home/Library/Group Containers/2SB5Z68H26.ch.protonmail.protondrive",
          "home/Library/Preferences/ch.protonmail.drive.plist"}},
        {{"Proton Drive", "ch.protonmail.drive"},
         {{"Proton Mail", "ch.protonmail.desktop"}},
         kProtonFiles,
         {"home/Library/Containers/ch.protonmail.drive",
          "home/Library/Group Containers/2SB5Z68H26.ch.protonmail.protondrive",
          "home/Library/Preferences/ch.protonmail.drive.plist"},
         {"home/Library/Containers/ch.protonmail.drive",
          "home/Library/Group Containers/2SB5Z68H26.ch.protonmail.protondrive",
          "home/Library/Preferences/ch.protonmail.drive.plist"}},
        // Firefox's channels keep their profiles in Firefox's folders, with no folder of their own beside
        // them: those folders are not Firefox's alone while a channel stays.
        {{"Firefox", "org.mozilla.firefox"},
         {{"Firefox Nightly", "org.mozilla.nightly"},
          {"Firefox Developer Edition", "org.mozilla.firefoxdeveloperedition"}},
         firefoxChannelFiles(),
         {"home/Library/Preferences/org.mozilla.firefox.plist",
          "home/Library/Saved Application State/org.mozilla.firefox.savedState"},
         {"home/Library/Application Support/Firefox", "home/Library/Caches/Firefox",
          "home/Library/Preferences/org.mozilla.firefox.plist",
          "home/Library/Preferences/org.mozilla.firefoxdeveloperedition.plist",
          "home/Library/Saved Application State/org.mozilla.firefox.savedState",
          "home/Library/Saved Application State/org.mozilla.firefoxdeveloperedition.savedState"}},
        {{"Firefox Nightly", "org.mozilla.nightly"},
         {{"Firefox", "org.mozilla.firefox"},
          {"Firefox Developer Edition", "org.mozilla.firefoxdeveloperedition"}},
         firefoxChannelFiles(),
         {"home/Library/Preferences/org.mozilla.nightly.plist",
          "home/Library/Saved Application State/org.mozilla.nightly.savedState"},
         {"home/Library/Preferences/org.mozilla.nightly.plist",
          "home/Library/Saved Application State/org.mozilla.nightly.savedState"}},
        {{"Firefox Developer Edition", "org.mozilla.firefoxdeveloperedition"},
         {{"Firefox", "org.mozilla.firefox"}, {"Firefox Nightly", "org.mozilla.nightly"}},
         firefoxChannelFiles(),
         {"home/Library/Preferences/org.mozilla.firefoxdeveloperedition.plist",
          "home/Library/Saved Application State/org.mozilla.firefoxdeveloperedition.savedState"},
         {"home/Library/Preferences/org.mozilla.firefoxdeveloperedition.plist",
          "home/Library/Saved Application State/org.mozilla.firefoxdeveloperedition.savedState"}},
        // A folder reported for one entry inside it goes whole only when all it holds is this application's.
        {{"Dropbox", "com.getdropbox.dropbox"},
         {{"Google Drive", "com.google.drivefs"},
          {"Box", "com.box.desktop"},
          {"OneDrive", "com.microsoft.OneDrive"}},
         kFileProviderFiles,
         {"home/Library/Application Support/FileProvider/com.getdropbox.dropbox.fileprovider",
          "home/Library/Application Support/Dropbox",
          "home/Library/Preferences/com.getdropbox.dropbox.plist"},
         {"home/Library/Application Support/FileProvider/com.getdropbox.dropbox.fileprovider",
          "home/Library/Application Support/Dropbox",
          "home/Library/Preferences/com.getdropbox.dropbox.plist"}},
        {{"Google Drive", "com.google.drivefs"},
         {{"Dropbox", "com.getdropbox.dropbox"},
          {"Box", "com.box.desktop"},
          {"OneDrive", "com.microsoft.OneDrive"}},
         kFileProviderFiles,
         {"home/Library/Application Support/FileProvider/com.google.drivefs.fpext",
          "home/Library/Preferences/com.google.drivefs.settings.plist"},
         {"home/Library/Application Support/FileProvider/com.google.drivefs.fpext",
          "home/Library/Preferences/com.google.drivefs.settings.plist"}},
        {{"Box", "com.box.desktop"},
         {{"Dropbox", "com.getdropbox.dropbox"},
          {"Google Drive", "com.google.drivefs"},
          {"OneDrive", "com.microsoft.OneDrive"}},
         kFileProviderFiles,
         {"home/Library/Application Support/FileProvider/com.box.desktop.boxfileprovider",
          "home/Library/Preferences/com.box.desktop.plist"},
         {"home/Library/Application Support/FileProvider/com.box.desktop.boxfileprovider",
          "home/Library/Preferences/com.box.desktop.plist"}},
        {{"OneDrive", "com.microsoft.OneDrive"},
         {{"Dropbox", "com.getdropbox.dropbox"},
          {"Google Drive", "com.google.drivefs"},
          {"Box", "com.box.desktop"}},
         kFileProviderFiles,
         {"home/Library/Application Support/FileProvider/com.microsoft.OneDrive.FileProvider",
          "home/Library/Application Support/OneDrive",
          "home/Library/Preferences/com.microsoft.OneDrive.plist"},
         {"home/Library/Application Support/FileProvider/com.microsoft.OneDrive.FileProvider",
          "home/Library/Application Support/OneDrive",
          "home/Library/Preferences/com.microsoft.OneDrive.plist"}},
        // ".localized" is no part of a name, and its marker file is no application's.
        {{"Local", "com.getflywheel.lightning.local"},
         {{"Microsoft Word", "com.microsoft.Word"},
          {"Logi Options+", "com.logi.optionsplus", "sys/Applications/logioptionsplus.app"}},
         kLocalizedFiles,
         {"home/Library/Application Support/Local", "home/Library/Logs/local-lightning.log",
          "home/Library/Preferences/com.getflywheel.lightning.local.plist"},
         {"home/Library/Application Support/Local", "home/Library/Logs/local-lightning.log",
          "home/Library/Preferences/com.getflywheel.lightning.local.plist"}},
        {{"Logi Options+", "com.logi.optionsplus", "sys/Applications/logioptionsplus.app"},
         {{"Local", "com.getflywheel.lightning.local"}},
         kLocalizedFiles,
         {"sys/Library/Application Support/Logitech.localized",
          "home/Library/Preferences/com.logi.optionsplus.plist"},
         {"sys/Library/Application Support/Logitech.localized",
          "home/Library/Preferences/com.logi.optionsplus.plist"}},
        // A component of another's identifier ("Settings") names nobody inside this application's folder.
        {{"Discord", "com.hnc.Discord"},
         {{"Karabiner-Elements", "org.pqrs.Karabiner-Elements.Settings"}},
         kSettingsFiles,
         {"home/Library/Application Support/discord", "home/Library/Caches/com.hnc.Discord",
          "home/Library/Preferences/com.hnc.Discord.plist"},
         {"home/Library/Application Support/discord", "home/Library/Caches/com.hnc.Discord",
          "home/Library/Preferences/com.hnc.Discord.plist"}},
        {{"Docker", "com.docker.docker"},
         {{"Karabiner-Elements", "org.pqrs.Karabiner-Elements.Settings"}},
         kSettingsFiles,
         {"home/Library/Group Containers/group.com.docker", "home/Library/Containers/com.docker.docker",
          "home/Library/Preferences/com.docker.docker.plist"},
         {"home/Library/Group Containers/group.com.docker", "home/Library/Containers/com.docker.docker",
          "home/Library/Preferences/com.docker.docker.plist"}},
        // A channel is the name and a release word: "Bridge" and "Hub" make other products. The vendor's
        // folder, written as the identifier writes it, stays the vendor's.
        {{"Proton Mail", "ch.protonmail.desktop"},
         {{"Proton Mail Bridge", "com.protonmail.bridge"}},
         kProtonMailAndBridgeFiles,
         {"home/Library/Application Support/Proton Mail", "home/Library/Logs/Proton Mail",
          "home/Library/Preferences/ch.protonmail.desktop.plist"},
         {"home/Library/Application Support/Proton Mail", "home/Library/Logs/Proton Mail",
          "home/Library/Preferences/ch.protonmail.desktop.plist",
          "home/Library/Application Support/protonmail", "home/Library/Caches/protonmail",
          "home/Library/Preferences/com.protonmail.bridge.plist"}},
        {{"Unity", "com.unity3d.UnityEditor5.x", "sys/Applications/Unity/Unity.app"},
         {{"Unity Hub", "com.unity3d.unityhub"}},
         kUnityFiles,
         {"sys/Applications/Unity", "home/Library/Logs/Unity",
          "home/Library/Preferences/com.unity3d.UnityEditor5.x.plist"},
         {"sys/Applications/Unity", "home/Library/Logs/Unity",
          "home/Library/Preferences/com.unity3d.UnityEditor5.x.plist",
          "home/Library/Application Support/UnityHub",
          "home/Library/Preferences/com.unity3d.unityhub.plist"}},
        // The exact name wins over a sibling's name without its version.
        {{"Studio", "com.example.studio"},
         {{"Studio 5", "com.example.studio5"}},
         {"home/Library/Application Support/Studio/settings.json", "home/Library/Caches/Studio/x",
          "home/Library/Logs/Studio/studio.log", "home/Library/Application Support/Studio 5/settings.json"},
         {"home/Library/Application Support/Studio", "home/Library/Caches/Studio",
          "home/Library/Logs/Studio"},
         {"home/Library/Application Support/Studio", "home/Library/Caches/Studio", "home/Library/Logs/Studio",
          "home/Library/Application Support/Studio 5"}},
        // A name matches only where it begins a word of the entry's name.
        {{"Craft", "com.lukilabs.lukiapp"},
         {{"Minecraft", "com.mojang.minecraftlauncher"}},
         kInsideAWordFiles,
         {"home/Library/Containers/com.lukilabs.lukiapp", "home/Library/Caches/com.lukilabs.lukiapp"},
         {"home/Library/Containers/com.lukilabs.lukiapp", "home/Library/Caches/com.lukilabs.lukiapp"}},
        {{"iTerm2", "com.googlecode.iterm2", "sys/Applications/iTerm.app"},
         {{"iA Writer", "pro.writer.mac"}},
         kInsideAWordFiles,
         {"home/Library/Application Support/iTerm2", "home/Library/Preferences/com.googlecode.iterm2.plist",
          "home/Library/Saved Application State/com.googlecode.iterm2.savedState"},
         {"home/Library/Application Support/iTerm2", "home/Library/Preferences/com.googlecode.iterm2.plist",
          "home/Library/Saved Application State/com.googlecode.iterm2.savedState"}},
    };
    return families;
}

TEST(AppPathFinderFamilies, EachApplicationOffersOnlyItsOwnBesideItsInstalledFamily) {
    for (const FamilyCase& family : realFamilies()) {
        test::FixtureTree tree;
        const std::string home = tree.folder("home");
        const std::string sys = tree.folder("sys");
        tree.folder("home/Applications");
        auto bundleOf = [](const FamilyCase::App& app) {
            return app.bundle.empty() ? "sys/Applications/" + app.name + ".app" : app.bundle;
        };
        auto lay = [&](const FamilyCase::App& app) {
            tree.textFile(bundleOf(app) + "/Contents/Info.plist",
                          test::infoPlistText(app.identifier, app.name));
        };
        lay(family.removed);
        for (const std::string& file : family.files)
            tree.file(file, 1);
        auto find = [&] {
            // As the window runs it: with the list it shows, which leaves out the system's applications.
            std::vector<AppSearchInfo> listed;
            for (const InstalledApp& app :
                 AppInfoFetcher({sys + "/Applications", home + "/Applications"}, {"en"}).fetchInstalledApps())
                listed.push_back({app.appName, app.bundleIdentifier, app.path, std::nullopt, std::nullopt});
            const AppSearchInfo removed = {family.removed.name, family.removed.identifier,
                                           tree.path(bundleOf(family.removed)), std::nullopt, std::nullopt};
            const Paths found =
                AppPathFinder(removed, Locations({home, sys, home + "/Library/Caches", ""}),
                              AppPathFinder::Sensitivity::enhanced,
                              {makeAppConditions(home), makeSkipConditions(home, sys)}, {listed})
                    .findPaths();
            std::set<std::string> relative;
            for (const std::string& path : found)
                if (path != removed.path)
                    relative.insert(path.substr(tree.root().size() + 1));
            return relative;
        };
        EXPECT_EQ(find(), family.offeredAlone) << family.removed.name << " alone";
        for (const FamilyCase::App& app : family.installedBeside)
            lay(app);
        EXPECT_EQ(find(), family.offeredBeside) << family.removed.name << " beside its family";
    }
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
    // A folder only its owner writes to: the name rules decide, yet another user's entries are still not
    // offered; the administrator's count as the system's, as installers leave them.
    ASSERT_EQ(::chmod(temporary.c_str(), 0755), 0);
    EXPECT_EQ(findAs(::getuid() + 1), test::runsAsRoot() ? own() : Paths{fooBar().path});
}

TEST_F(SharedTemporaryFolderTest, AnotherUsersEntryIsNotOffered) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    const std::string theirs = tree.file("tmp/foobar-theirs", 1);
    ASSERT_EQ(::lchown(theirs.c_str(), test::kOtherUser, test::kOtherUser), 0);
    EXPECT_EQ(findAs(::getuid()), own());
}

TEST_F(AppPathFinderTest, AFolderOthersMayWriteToNeverGoesWhole) {
    const auto zorblax = appAt("Zorblax", "com.acme.zorblax");
    tree.folder("sys/Applications/Zorblax.app");
    const std::string shared = tree.folder("sys/Library/Caches/acme");
    tree.file("sys/Library/Caches/acme/zorblax-prefs.v", 1);
    tree.file("sys/Library/Caches/acme/zorblax-telemetry.db", 1);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    EXPECT_EQ(find(zorblax),
              (Paths{zorblax.path, shared + "/zorblax-prefs.v", shared + "/zorblax-telemetry.db"}));
    // Only its owner writes to it: the vendor folder goes whole again.
    ASSERT_EQ(::chmod(shared.c_str(), 0755), 0);
    EXPECT_EQ(find(zorblax), (Paths{zorblax.path, shared}));
}

TEST_F(AppPathFinderTest, NothingOfAnotherUserIsOffered) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    auto theirs = [&](const std::string& relative) {
        const std::string path = tree.path(relative);
        ASSERT_EQ(::lchown(path.c_str(), test::kOtherUser, test::kOtherUser), 0);
    };
    const auto zorblax = appAt("Zorblax", "com.acme.zorblax");
    tree.folder("sys/Applications/Zorblax.app");
    const std::string shared = tree.folder("sys/Library/Caches/acme");
    tree.file("sys/Library/Caches/acme/zorblax-prefs.v", 1);
    tree.file("sys/Library/Caches/acme/mallory-notes.txt", 1);
    tree.file("sys/Library/Caches/acme/otherapp/db", 1);
    tree.file("sys/Library/Caches/acme/zorblax-mallory.v", 1);
    for (const char* entry :
         {"sys/Library/Caches/acme/mallory-notes.txt", "sys/Library/Caches/acme/otherapp",
          "sys/Library/Caches/acme/otherapp/db", "sys/Library/Caches/acme/zorblax-mallory.v"})
        theirs(entry);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    // A folder of the user's own that holds another user's entry, deep down: only this application's own
    // entries in it, never the other user's.
    tree.file("home/Library/Caches/com.acme.zorblax/Cache.db", 1);
    tree.file("home/Library/Caches/com.acme.zorblax/zorblax-index", 1);
    tree.file("home/Library/Caches/com.acme.zorblax/shared/their.db", 1);
    theirs("home/Library/Caches/com.acme.zorblax/shared/their.db");
    tree.file("home/Library/Preferences/com.acme.zorblax.plist", 1);
    theirs("home/Library/Preferences/com.acme.zorblax.plist");

    EXPECT_EQ(find(zorblax), (Paths{zorblax.path, shared + "/zorblax-prefs.v",
                                    h("Library/Caches/com.acme.zorblax/zorblax-index")}));
}

TEST_F(AppPathFinderTest, AFolderClosedToTheUserGoesWholeOnlyWhereOnlyTheAdministratorCouldFillIt) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    const auto zorblax = appAt("Zorblax", "com.acme.zorblax");
    tree.folder("sys/Applications/Zorblax.app");
    const std::string daemon = tree.folder("sys/Library/Application Support/Zorblax/daemon");
    tree.file("sys/Library/Application Support/Zorblax/daemon/state", 1);
    const std::string cache = tree.folder("sys/Library/Caches/com.acme.zorblax/spool");
    tree.file("sys/Library/Caches/com.acme.zorblax/zorblax.db", 1);
    test::ScopedMode closedDaemon(daemon, 0);
    // The administrator's, but a group other than the administrator's own may fill it.
    ASSERT_EQ(::chown(cache.c_str(), 0, test::kSharedGroup), 0);
    test::ScopedMode closedButShared(cache, 0070);
    // Permission bits bind root too in the child, so neither folder can be looked into there.
    const int status = test::exitStatusWithoutPrivileges([&] {
        const Paths expected{zorblax.path, sys + "/Library/Application Support/Zorblax",
                             sys + "/Library/Caches/com.acme.zorblax/zorblax.db"};
        return find(zorblax) == expected ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

TEST_F(AppPathFinderTest, AMountInsideAFindKeepsItFromGoingWhole) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToBindMount;
    const auto zorblax = appAt("Zorblax", "com.acme.zorblax");
    tree.folder("sys/Applications/Zorblax.app");
    tree.file("elsewhere/the-users-photos.jpg", 1);
    tree.file("home/Library/Caches/com.acme.zorblax/zorblax.db", 1);
    // The same file system bound there keeps its device number: only the mount's own mark tells it.
    test::ScopedBindMount bound(tree.path("elsewhere"),
                                tree.folder("home/Library/Caches/com.acme.zorblax/mnt"));
    if (bound.error() != 0)
        GTEST_SKIP() << test::kNeedsRootToBindMount;
    EXPECT_EQ(find(zorblax), (Paths{zorblax.path, h("Library/Caches/com.acme.zorblax/zorblax.db")}));
}

TEST_F(AppPathFinderTest, TheWalkNeverEntersAnotherMount) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToBindMount;
    const auto zorblax = appAt("Zorblax", "com.acme.zorblax");
    tree.folder("sys/Applications/Zorblax.app");
    tree.file("home/Documents/Zorblax Projects/plan.txt", 1);
    // The user's documents bound inside the application's folder: found there, they would start ticked.
    test::ScopedBindMount bound(h("Documents"), tree.folder("home/Library/Application Support/Zorblax/docs"));
    if (bound.error() != 0)
        GTEST_SKIP() << test::kNeedsRootToBindMount;
    // Found only where they really lie, among the documents.
    EXPECT_EQ(find(zorblax), (Paths{zorblax.path, h("Documents/Zorblax Projects")}));
}

TEST_F(AppPathFinderTest, TheHomeTheWorkingDirectoryAndTheProgramsFolderAreNeverOffered) {
    const auto zorblax = appAt("Zorblax", "com.acme.zorblax");
    tree.folder("sys/Applications/Zorblax.app");
    const std::string temporary = tree.folder("tmp");
    tree.folder("tmp/ZorblaxVictim/sub");
    tree.file("tmp/zorblax.lock", 1);
    tree.file("home/Library/Caches/com.acme.zorblax/bin/zelvanexal", 1);
    tree.file("home/Library/Logs/Zorblax/zorblax.log", 1);
    AppPathFinder::Surroundings surroundings;
    surroundings.runningProgram = {temporary + "/ZorblaxVictim/sub",
                                   h("Library/Caches/com.acme.zorblax/bin")};
    EXPECT_EQ(AppPathFinder(zorblax, locations(temporary), AppPathFinder::Sensitivity::enhanced, tables(),
                            surroundings)
                  .findPaths(),
              (Paths{zorblax.path, temporary + "/zorblax.lock", h("Library/Logs/Zorblax")}));
    // The home is one too, and so is a folder that holds it.
    const std::string innerHome = tree.folder("tmp/ZorblaxUsers/guest");
    tree.folder("tmp/ZorblaxUsers/guest/Library/Preferences");
    const Locations inside({innerHome, sys, innerHome + "/Library/Caches", temporary});
    EXPECT_EQ(AppPathFinder(zorblax, inside, AppPathFinder::Sensitivity::enhanced, tables(), surroundings)
                  .findPaths(),
              (Paths{zorblax.path, temporary + "/zorblax.lock"}));
}

TEST_F(AppPathFinderTest, TheChosenBundleIsNeverOfferedWhileItHoldsTheProgramOrItsWorkingDirectory) {
    const auto zorblax = appAt("Zorblax", "com.acme.zorblax");
    const std::string contents = tree.folder("sys/Applications/Zorblax.app/Contents/MacOS");
    for (const RunningProgramPlaces& places :
         {RunningProgramPlaces{contents, ""}, RunningProgramPlaces{"", contents}}) {
        AppPathFinder::Surroundings surroundings;
        surroundings.runningProgram = places;
        EXPECT_EQ(
            AppPathFinder(zorblax, locations(), AppPathFinder::Sensitivity::enhanced, tables(), surroundings)
                .findPaths(),
            Paths{});
    }
}

TEST_F(AppPathFinderTest, NothingIsOfferedFromAFolderAGroupOrAnAclLetsOthersWriteToButTheOwnersGroupMay) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    const auto zorblax = appAt("Zorblax", "com.acme.zorblax");
    tree.folder("sys/Applications/Zorblax.app");
    // A group's folder: its members may rename their own files over any name in it, so nothing in it goes.
    const std::string team = tree.folder("home/Library/Logs/Zorblax");
    tree.file("home/Library/Logs/Zorblax/zorblax.log", 1);
    tree.file("home/Library/Logs/Zorblax/notes.txt", 1);
    ASSERT_EQ(::chown(team.c_str(), 0, test::kSharedGroup), 0);
    ASSERT_EQ(::chmod(team.c_str(), 02775), 0);
    // A private folder that an ACL lets another person write to is shared just as well.
    const std::string granted = tree.folder("home/Library/Application Support/Zorblax");
    tree.file("home/Library/Application Support/Zorblax/zorblax.db", 1);
    ASSERT_EQ(::chmod(granted.c_str(), 0700), 0);
    if (const int error = test::grantWritingThroughAcl(granted, test::kOtherPerson))
        GTEST_SKIP() << "the file system keeps no ACLs: " << std::strerror(error);
    // Under the mask 002, the owner's own group (root's, here) may write: that is still the owner's alone.
    const std::string personal = tree.folder("home/Library/Caches/Zorblax");
    tree.file("home/Library/Caches/Zorblax/cache.db", 1);
    ASSERT_EQ(::chmod(personal.c_str(), 0775), 0);
    EXPECT_EQ(find(zorblax), (Paths{zorblax.path, h("Library/Caches/Zorblax")}));
}

TEST_F(AppPathFinderTest, WhereAnyoneMayWriteOnlyTheSearchingUsersOwnEntriesAreOffered) {
    if (!test::runsAsRoot())
        GTEST_SKIP() << test::kNeedsRootToChangeOwners;
    // Searched for another user than root, whose entries are then no longer the searching user's own.
    const auto zorblax = appAt("Zorblax", "com.acme.zorblax");
    tree.folder("sys/Applications/Zorblax.app");
    const std::string open = tree.folder("home/Library/Caches/Zorblax");
    const std::string mine = tree.file("home/Library/Caches/Zorblax/zorblax-mine.db", 1);
    tree.file("home/Library/Caches/Zorblax/zorblax-root.db", 1);
    for (const std::string& path : {open, mine})
        ASSERT_EQ(::lchown(path.c_str(), test::kOtherPerson, test::kOtherPerson), 0);
    ASSERT_EQ(::chmod(open.c_str(), 01777), 0);
    AppPathFinder::Surroundings surroundings;
    surroundings.user = test::kOtherPerson;
    EXPECT_EQ(
        AppPathFinder(zorblax, locations(), AppPathFinder::Sensitivity::enhanced, tables(), surroundings)
            .findPaths(),
        (Paths{zorblax.path, mine}));
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
    const auto deadline = std::chrono::steady_clock::now() + test::kPatience;
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
