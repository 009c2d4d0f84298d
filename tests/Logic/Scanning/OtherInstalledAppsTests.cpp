#include "Logic/Scanning/OtherInstalledApps.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using Claim = OtherInstalledApps::Claim;

AppSearchInfo app(const std::string& name, const std::string& identifier) {
    return {name, identifier, "/Applications/" + name + ".app", std::nullopt, std::nullopt};
}

TEST(OtherInstalledApps, AVendorWordCountsOnlyAsWholeWordsAndNeverAsTheSearchedApplicationsName) {
    const AppSearchInfo drive = app("Proton Drive", "ch.protonmail.drive");
    const OtherInstalledApps besideDrive({drive}, app("Proton Pass", "me.proton.pass"));
    // Words are also parted where a lower-case letter meets an upper-case one.
    for (const char* name : {"ProtonMail Bridge", "ch.protonmail.pass", "protonmail--logs.", "Proton Mail",
                             "ProtonmailBridge", "GoogleUpdater.protonmail"})
        EXPECT_EQ(besideDrive.claim(WordedKey(name), 0), Claim::shared) << name;
    for (const char* name : {"protonmailbridge", "xprotonmail", "Proton Mails", "PROTONMAILBridge"})
        EXPECT_EQ(besideDrive.claim(WordedKey(name), 0), Claim::none) << name;
    // Proton Mail's own name is the vendor word: it counts only where an entry writes it as one word, as
    // the identifier does, and the name does not.
    const OtherInstalledApps besideMail({drive}, app("Proton Mail", "ch.protonmail.desktop"));
    for (const char* name : {"Proton Mail", "ProtonMail", "Proton-Mail Logs"})
        EXPECT_EQ(besideMail.claim(WordedKey(name), 10), Claim::none) << name;
    for (const char* name : {"protonmail", "protonmail.backups"})
        EXPECT_EQ(besideMail.claim(WordedKey(name), 10), Claim::shared) << name;
    EXPECT_EQ(besideMail.claim(WordedKey("ch.protonmail.desktop"), 19), Claim::none); // its own identifier
    // A name of one word is written alike either way: its vendor word says nothing.
    const OtherInstalledApps besideNotion({app("Notion Calendar", "com.notion.calendar")},
                                          app("Notion", "com.notion.desktop"));
    EXPECT_EQ(besideNotion.claim(WordedKey("notion"), 6), Claim::none);
}

TEST(OtherInstalledApps, ATieGoesToTheSearchedApplicationOnlyForWhatCarriesItsIdentity) {
    const OtherInstalledApps beside({app("Studio 5", "com.example.studio5")},
                                    app("Studio", "net.acme.studio"));
    EXPECT_EQ(beside.claim(WordedKey("Studio Backups"), 6), Claim::theirs);
    EXPECT_EQ(beside.claim(WordedKey("net.acme.studio"), 6), Claim::none);
    EXPECT_EQ(beside.claim(WordedKey("Acme Studio"), 6), Claim::none);
    EXPECT_EQ(beside.claim(WordedKey("AcmeStudio"), 6), Claim::none);   // words joined by case
    EXPECT_EQ(beside.claim(WordedKey("acmestudio"), 6), Claim::theirs); // no whole words
    EXPECT_EQ(beside.claim(WordedKey("Studio 5"), 6), Claim::theirs);   // named after it more closely
}

TEST(OtherInstalledApps, TheExactNameWinsOverASiblingsNameWithoutItsVersion) {
    const OtherInstalledApps studio({app("Studio 5", "com.example.studio5")},
                                    app("Studio", "net.acme.studio"));
    EXPECT_EQ(studio.claim(WordedKey("Studio"), 6), Claim::none);
    EXPECT_EQ(studio.claim(WordedKey("studio"), 6), Claim::none);
    EXPECT_EQ(studio.claim(WordedKey("Studio Backups"), 6), Claim::theirs); // not the exact name
    // The reverse stays: "Studio" is the other's exact name.
    const OtherInstalledApps studio5({app("Studio", "net.acme.studio")},
                                     app("Studio 5", "com.example.studio5"));
    EXPECT_EQ(studio5.claim(WordedKey("Studio"), 6), Claim::theirs);
    // Another application of the very same name ties by its name, not by a version.
    AppSearchInfo systemNotes = app("Notes", "com.apple.Notes");
    systemNotes.path = "/System/Applications/Notes.app";
    const OtherInstalledApps notes({systemNotes}, app("Notes", "com.acme.notes"));
    EXPECT_EQ(notes.claim(WordedKey("Notes"), 5), Claim::theirs);
}

TEST(OtherInstalledApps, InsideItsFolderAnEntryIsAnothersOnlyNamedAsIt) {
    const OtherInstalledApps beside({app("Local", "com.getflywheel.lightning.local")},
                                    app("Slack", "a.b.slack"));
    EXPECT_FALSE(beside.namesAnother("localstorage", 5));
    EXPECT_FALSE(beside.namesAnother("localized", 5));
    EXPECT_FALSE(beside.namesAnother("local", 5)); // not more closely than the folder is Slack's
    EXPECT_TRUE(beside.namesAnother("local", 4));
    EXPECT_TRUE(beside.namesAnother("comgetflywheellightninglocal", 5)); // its whole identifier
    EXPECT_FALSE(beside.namesAnother("lightninglocal", 5));              // two of its components

    // One component of an identifier names nobody.
    const OtherInstalledApps karabiner({app("Karabiner-Elements", "org.pqrs.Karabiner-Elements.Settings")},
                                       app("Discord", "com.hnc.Discord"));
    EXPECT_FALSE(karabiner.namesAnother("settings", 0));
    EXPECT_TRUE(karabiner.namesAnother("karabinerelements", 0));
    EXPECT_TRUE(karabiner.namesAnother("orgpqrskarabinerelementssettings", 0));
}

TEST(OtherInstalledApps, AChannelIsTheWholeNameFollowedOnlyByReleaseWordsAndVersions) {
    const OtherInstalledApps firefox(
        {app("Firefox Nightly", "org.mozilla.nightly"), app("Firefox 3", "a.b.c"), app("Firefoxy", "d.e.f"),
         app("Nightly", "g.h.i"), app("Firefox Send", "j.k.l"), app("Mozilla Firefox Beta", "m.n.o"),
         app("Firefox Nightly Helper", "p.q.r")},
        app("Firefox", "org.mozilla.firefox"));
    ASSERT_EQ(firefox.channels().size(), 1u);
    const auto& nightly = firefox.channels().front();
    EXPECT_TRUE(nightly.sharesName("firefox"));
    EXPECT_FALSE(nightly.sharesName("fire"));
    EXPECT_EQ(nightly.longestFormIn("firefoxnightlybackup"), 14u);

    // The bundle's file name counts like the name.
    AppSearchInfo renamed = app("Canary", "com.google.Chrome.canary");
    renamed.path = "/Applications/Google Chrome Canary.app";
    EXPECT_EQ(OtherInstalledApps({renamed}, app("Google Chrome", "com.google.Chrome")).channels().size(), 1u);

    auto channelCount = [](const std::string& other, const std::string& own) {
        return OtherInstalledApps({app(other, "x.y." + other)}, app(own, "x.z.own")).channels().size();
    };
    for (const auto& [other, own] : std::vector<std::pair<std::string, std::string>>{
             {"Firefox Developer Edition", "Firefox"},
             {"FirefoxDeveloperEdition", "Firefox"},
             {"Safari Technology Preview", "Safari"},
             {"Visual Studio Code - Insiders", "Visual Studio Code"},
             {"Xcode 16 beta 2", "Xcode"},
             {"Xcode-beta", "Xcode"},
             {"Firefox Nightly 121", "Firefox"},
             {"Thunderbird ESR", "Thunderbird"},
             {"Brave Browser Beta", "Brave Browser"}})
        EXPECT_EQ(channelCount(other, own), 1u) << other;
    for (const auto& [other, own] :
         std::vector<std::pair<std::string, std::string>>{{"Proton Mail Bridge", "Proton Mail"},
                                                          {"Unity Hub", "Unity"},
                                                          {"Firefox Technology", "Firefox"},
                                                          {"Firefox Developer", "Firefox"},
                                                          {"1Password 7", "1Password"}})
        EXPECT_EQ(channelCount(other, own), 0u) << other;
}

} // namespace
} // namespace zn
