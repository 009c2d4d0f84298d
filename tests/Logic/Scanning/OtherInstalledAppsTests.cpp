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
    for (const char* name : {"ProtonMail Bridge", "ch.protonmail.pass", "protonmail--logs.", "Proton Mail"})
        EXPECT_EQ(besideDrive.claim(WordedKey(name), 0), Claim::shared) << name;
    for (const char* name : {"ProtonmailBridge", "xprotonmail", "Proton Mails"})
        EXPECT_EQ(besideDrive.claim(WordedKey(name), 0), Claim::none) << name;
    // Proton Mail's own name is the vendor word.
    const OtherInstalledApps besideMail({drive}, app("Proton Mail", "ch.protonmail.desktop"));
    EXPECT_EQ(besideMail.claim(WordedKey("Proton Mail"), 10), Claim::none);
}

TEST(OtherInstalledApps, ATieGoesToTheSearchedApplicationOnlyForWhatCarriesItsIdentity) {
    const OtherInstalledApps beside({app("Studio 5", "com.example.studio5")},
                                    app("Studio", "net.acme.studio"));
    EXPECT_EQ(beside.claim(WordedKey("Studio Backups"), 6), Claim::theirs);
    EXPECT_EQ(beside.claim(WordedKey("net.acme.studio"), 6), Claim::none);
    EXPECT_EQ(beside.claim(WordedKey("Acme Studio"), 6), Claim::none);
    EXPECT_EQ(beside.claim(WordedKey("AcmeStudio"), 6), Claim::theirs); // no whole words
    EXPECT_EQ(beside.claim(WordedKey("Studio 5"), 6), Claim::theirs);   // named after it more closely
}

TEST(OtherInstalledApps, InsideItsFolderAnEntryIsAnothersOnlyNamedAsIt) {
    const OtherInstalledApps beside({app("Local", "com.getflywheel.lightning.local")},
                                    app("Slack", "a.b.slack"));
    EXPECT_FALSE(beside.namesAnother("localstorage", 5));
    EXPECT_FALSE(beside.namesAnother("localized", 5));
    EXPECT_FALSE(beside.namesAnother("local", 5)); // not more closely than the folder is Slack's
    EXPECT_TRUE(beside.namesAnother("local", 4));
    EXPECT_TRUE(beside.namesAnother("lightninglocal", 5));
}

TEST(OtherInstalledApps, AChannelHoldsTheWholeNameAndMoreThanAVersion) {
    const OtherInstalledApps firefox({app("Firefox Nightly", "org.mozilla.nightly"),
                                      app("Firefox 3", "a.b.c"), app("Firefoxy", "d.e.f"),
                                      app("Nightly", "g.h.i")},
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
}

} // namespace
} // namespace zn
