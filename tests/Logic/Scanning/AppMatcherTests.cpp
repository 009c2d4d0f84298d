#include "Logic/Scanning/AppMatcher.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using enum MatchSensitivity;

AppSearchInfo app(const std::string& name, const std::string& identifier, const std::string& bundleName) {
    return {name, identifier, "/Applications/" + bundleName, std::nullopt, std::nullopt};
}

// Which of strict, enhanced and deep match an entry named `name`.
std::string levels(const AppSearchInfo& info, std::string_view name,
                   const std::vector<AppCondition>& conditions = {}) {
    std::string result;
    for (auto [sensitivity, letter] : {std::pair{strict, 's'}, {enhanced, 'e'}, {deep, 'd'}})
        result += AppMatcher(info, sensitivity, conditions).matches(WordedKey(name)) ? letter : '-';
    return result;
}

TEST(AppMatcher, DerivedForms) {
    const AppNameForms forms(AppSearchInfo{"Foo App 10.2", "com.Foo.app.Helper", "/Applications/Foo.app.app/",
                                           std::vector<std::string>{"com.foo.Group", "-._"}, "AB-12"});
    EXPECT_EQ(forms.normalizedBundleID, "comfooapphelper");
    EXPECT_EQ(forms.bundleLastTwo, "apphelper");
    EXPECT_EQ(forms.normalizedAppName, "fooapp102");
    EXPECT_EQ(forms.appNameLettersOnly, "fooapp");
    EXPECT_EQ(forms.pathComponentName, "foo");
    EXPECT_EQ(forms.companyName, std::nullopt);
    EXPECT_EQ(forms.baseBundleID, "comfooapp");
    EXPECT_EQ(forms.strippedAppName, "fooapp");
    EXPECT_EQ(forms.normalizedEntitlements, std::vector<std::string>{"comfoogroup"});
    EXPECT_EQ(forms.normalizedTeamID, "ab12");

    const AppNameForms plain(app("Foo Bar", "com.foo.bar", "Foo Bar.app"));
    EXPECT_EQ(plain.strippedAppName, std::nullopt); // equal to the name
    EXPECT_EQ(plain.companyName, "foo");
    EXPECT_EQ(plain.normalizedTeamID, std::nullopt);
    EXPECT_TRUE(plain.normalizedEntitlements.empty());
}

TEST(AppMatcher, NameAndIdentifierRules) {
    const AppSearchInfo fooBar = app("Foo Bar", "com.foo.bar", "Foo Bar.app");
    EXPECT_EQ(levels(fooBar, "foobar"), "sed");
    EXPECT_EQ(levels(fooBar, "foobarupdates"), "-ed"); // strict needs equality for names
    EXPECT_EQ(levels(fooBar, "comfoobarupdates"), "sed");
    EXPECT_EQ(levels(fooBar, "comfoobaz"), "---");

    // Four characters or fewer never match by name; the identifier still does.
    const AppSearchInfo mail = app("Mail", "com.apple.mail", "Mail.app");
    for (std::string_view key : {"mail", "mailarchive", "maildownloads"})
        EXPECT_EQ(levels(mail, key), "---") << key;
    EXPECT_EQ(levels(mail, "comapplemail"), "sed");
    EXPECT_EQ(levels(mail, "containerapplemail"), "-ed"); // last two components

    // Characters, not bytes: a three-character CJK name is too short to match on its own.
    EXPECT_EQ(levels(app("微信钱", "a.b", "微信钱.app"), "微信钱"), "---");
    EXPECT_EQ(levels(app("微信钱包乐", "a.b", "x.app"), "x 微信钱包乐"), "-ed");

    // The bundle's file name counts like the name.
    EXPECT_EQ(levels(app("Code", "com.microsoft.VSCode", "Visual Studio Code.app"), "visualstudiocode"),
              "sed");
}

TEST(AppMatcher, ANameMatchesOnlyWhereItBeginsAWord) {
    const AppSearchInfo craft = app("Craft", "com.lukilabs.lukiapp", "Craft.app");
    for (std::string_view name : {"minecraft", "Minecraft", "aircraft-data", "Mine2craft"})
        EXPECT_EQ(levels(craft, name), "---") << name;
    for (std::string_view name : {"Craft", "craft-backups", "MineCraft", "com.example.craftdocs"})
        EXPECT_EQ(levels(craft, name).substr(1), "ed") << name;
    const AppSearchInfo slack = app("Slack", "com.tinyspeck.slackmacgap", "Slack.app");
    EXPECT_EQ(levels(slack, "com.tinyspeck.slackmacgap"), "sed");
    EXPECT_EQ(levels(slack, "my.slackmacgap.cache"), "-ed");
    // The bundle's file name, the letters of the name and the name without its version alike.
    const AppSearchInfo iterm = app("iTerm2", "com.googlecode.iterm2", "iTerm.app");
    EXPECT_EQ(levels(iterm, "pro.writer.mac"), "---");
    EXPECT_EQ(levels(iterm, "iTerm2 Backups"), "-ed");
    EXPECT_EQ(levels(app("Studio 5", "a.b", "S.app"), "Backupstudio"), "---");
    EXPECT_EQ(levels(app("Studio 5", "a.b", "S.app"), "BackupStudio"), "-ed");
    // Identifiers and the conditions table match anywhere in the key, as before.
    EXPECT_EQ(levels(slack, "xcomtinyspeckslackmacgap"), "sed");
    EXPECT_EQ(levels(app("Logi Options+", "com.logi.optionsplus", "logioptionsplus.app"), "Xlogitech",
                     {{"com.logi.optionsplus", {"logi"}, {}}}),
              "sed");
    // How closely an entry is named after the application follows the same rule.
    EXPECT_EQ(AppMatcher(craft, enhanced, {}).longestFormIn(WordedKey("minecraft")), 0u);
    EXPECT_EQ(AppMatcher(craft, enhanced, {}).longestFormIn(WordedKey("Craft Docs")), 5u);
}

TEST(AppMatcher, TheLocalizedSuffixAndItsMarkerFileAreNoPartOfAName) {
    EXPECT_EQ(entryWords("User Content.localized", true).key(), "usercontent");
    EXPECT_EQ(entryWords("Templates.localized", false).key(), "templates");
    EXPECT_EQ(entryWords(".localized", false).key(), "");
    EXPECT_EQ(entryWords("com.foo.bar.plist", false).key(), "comfoobar");
    EXPECT_EQ(entryWords("Foo.app", true).key(), "fooapp");
    const AppMatcher local(app("Local", "com.getflywheel.lightning.local", "Local.app"), enhanced, {});
    EXPECT_FALSE(local.matches(entryWords(".localized", false)));
    EXPECT_TRUE(local.matches(entryWords("Local.localized", true)));
}

TEST(AppMatcher, ReachOfEachSensitivity) {
    EXPECT_EQ(levels(app("Foo", "com.vendor.foo", "Foo.app"), "vendorfoodata"), "-ed");
    EXPECT_EQ(levels(app("Widget", "com.vendor.app.Helper", "Widget.app"), "comvendorappcache"), "-ed");
    EXPECT_EQ(levels(app("Foo 3D 2.0", "a.b", "x.app"), "foo3dcache"), "-ed");
    EXPECT_EQ(levels(app("Spotify", "com.spotify.client", "Spotify.app"), "spotifywebhelper"), "-ed");
    EXPECT_EQ(levels(app("Music", "com.spotify.client", "Music.app"), "spotifywebhelper"), "--d");

    AppSearchInfo team = app("Tool", "a.b", "x.app");
    team.teamIdentifier = "ABCDE12345";
    EXPECT_EQ(levels(team, "abcde12345group"), "--d");
    team.entitlements = std::vector<std::string>{"group.tool"};
    EXPECT_EQ(levels(team, "grouptool"), "sed");
    EXPECT_EQ(levels(team, "grouptoolshared"), "-ed");
}

TEST(AppMatcher, ConditionsComeFirst) {
    const std::vector<AppCondition> conditions = {
        {"com.google.chrome", {"google", "chrome"}, {"iterm", "chromefeaturestate", "monochrome"}},
        {"com.logi.optionsplus", {"logi", "logipluginservice"}, {"login", "logic"}},
        {"com.microsoft.VSCode", {"vscode"}, {"vscodeinsiders", "insiders"}}};
    const AppSearchInfo chrome = app("Google Chrome", "com.google.Chrome", "Google Chrome.app");
    EXPECT_EQ(levels(chrome, "googleupdater", conditions), "sed");
    EXPECT_EQ(levels(chrome, "monochrome", conditions), "---");
    EXPECT_EQ(levels(chrome, "comgooglechromeiterm", conditions), "---"); // exclusion beats the identifier
    EXPECT_EQ(levels(chrome, "googleupdater"), "--d"); // without its row, only the vendor at deep

    const AppSearchInfo logi = app("Logi Options+", "com.logi.optionsplus", "logioptionsplus.app");
    EXPECT_EQ(levels(logi, "logitechsync", conditions), "sed");
    EXPECT_EQ(levels(logi, "loginwindow", conditions), "---");

    const AppSearchInfo code = app("Visual Studio Code", "com.microsoft.VSCode", "Visual Studio Code.app");
    EXPECT_EQ(levels(code, "commicrosoftvscodeinsiders", conditions), "---");
    EXPECT_EQ(levels(code, "commicrosoftvscodeshipit", conditions), "sed");
    EXPECT_EQ(AppMatcher(code, strict, conditions).selectedConditions().size(), 1u);
}

} // namespace
} // namespace zn
