#include "Logic/Scanning/StringNormalization.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(StringNormalization, ExampleTable) {
    EXPECT_EQ(normalizedForMatching("Visual Studio Code"), "visualstudiocode");
    EXPECT_EQ(normalizedForMatching("com.microsoft.VSCode"), "commicrosoftvscode");
    EXPECT_EQ(normalizedForMatching("Foo_Bar-2.1"), "foobar21");
    EXPECT_EQ(bundleLastTwoComponents("com.google.Chrome"), "googlechrome");
    EXPECT_EQ(bundleLastTwoComponents("com.foo.my-app"), "foomy-app");
    EXPECT_EQ(bundleLastTwoComponents("Foo"), "foo");
    EXPECT_EQ(lettersOnly("1Password 7"), "password");
    EXPECT_EQ(bundleCompanyName("com.spotify.client"), "spotify");
    EXPECT_EQ(bundleCompanyName("com.foo.bar.baz"), std::nullopt);
    EXPECT_EQ(baseBundleIdentifier("com.foo.app.Helper"), "com.foo.app");
    EXPECT_EQ(baseBundleIdentifier("com.foo.Helper"), std::nullopt);
    EXPECT_EQ(baseBundleIdentifier("com.foo.app.helpers"), std::nullopt);
    EXPECT_EQ(strippingTrailingVersion("Foo App 10.2.1"), "Foo App");
    EXPECT_EQ(strippingTrailingVersion("Foo2"), "Foo2");
    EXPECT_EQ(strippingTrailingVersion("Foo 2 Beta"), "Foo 2 Beta");
}

TEST(StringNormalization, NormalizationTouchesOnlyCaseAndFourSeparators) {
    EXPECT_EQ(normalizedForMatching(" -_.. _-"), "");
    EXPECT_EQ(normalizedForMatching("C++ (Beta)\tO'Neil"), "c++(beta)\to'neil");
    // Full Unicode lower-casing, letters outside ASCII kept.
    EXPECT_EQ(normalizedForMatching("ÄPFEL Ωmega"), "äpfelωmega");
    EXPECT_EQ(normalizedForMatching("ΣΟΦΟΣ"), "σοφος"); // final sigma in context
    EXPECT_EQ(normalizedForMatching("𐐀𐐁"), "𐐨𐐩");       // Deseret, outside the Basic Multilingual Plane
    EXPECT_EQ(lowercased("İ"), "i\u0307");
}

TEST(StringNormalization, BundleIdentifierForms) {
    // An identifier ending in "." takes the empty last component.
    EXPECT_EQ(bundleLastTwoComponents("com.foo.bar."), "bar");
    EXPECT_EQ(bundleLastTwoComponents("com.foo.-.bar"), "foobar");
    EXPECT_EQ(bundleLastTwoComponents("com.Foo_Co.My_App"), "foo_comy_app");
    EXPECT_EQ(bundleLastTwoComponents(""), "");
    EXPECT_EQ(bundleCompanyName("com..client"), std::nullopt);
    EXPECT_EQ(bundleCompanyName("com.Foo-Soft.client"), "foosoft");
    EXPECT_EQ(bundleCompanyName("com.foo"), std::nullopt);
    // The role word is compared without case; the rest keeps its case.
    EXPECT_EQ(baseBundleIdentifier("Com.Foo.App.XPC"), "Com.Foo.App");
    EXPECT_EQ(baseBundleIdentifier("com.foo.app.bar.PlugIn"), "com.foo.app.bar");
    EXPECT_EQ(baseBundleIdentifier("com.foo.app.Uninstaller"), "com.foo.app");
}

TEST(StringNormalization, LettersOfEveryScript) {
    EXPECT_EQ(lettersOnly("1234"), "");
    EXPECT_EQ(lettersOnly("Ünïcode App 2!"), "ünïcodeapp");
    EXPECT_EQ(lettersOnly("微信 3.0"), "微信");
    EXPECT_EQ(lettersOnly("𝐀𝐁 ➕ ⅫⒶ"), "𝐀𝐁"); // mathematical letters stay, symbols and numerals go
    // A decomposed accent belongs to its letter.
    EXPECT_EQ(lettersOnly("Cafe\u0301 9"), "cafe\u0301");
}

TEST(StringNormalization, TrailingVersion) {
    EXPECT_EQ(strippingTrailingVersion("Foo 1."), "Foo 1.");
    EXPECT_EQ(strippingTrailingVersion("Foo 1.2. "), "Foo 1.2.");
    EXPECT_EQ(strippingTrailingVersion("  Foo\t3  "), "Foo");
    EXPECT_EQ(strippingTrailingVersion("Foo\u00a0\u0665\u0666"), "Foo"); // Unicode space and Arabic digits
    EXPECT_EQ(strippingTrailingVersion("2048"), "2048");
    EXPECT_EQ(strippingTrailingVersion(""), "");
}

TEST(StringNormalization, CharactersAreCountedNotBytes) {
    EXPECT_EQ(characterCount(""), 0u);
    EXPECT_EQ(characterCount("abcd"), 4u);
    EXPECT_EQ(characterCount("微信钱"), 3u);     // 9 bytes
    EXPECT_EQ(characterCount("cafe\u0301"), 4u); // one accented letter
    EXPECT_EQ(characterCount("👍🏽ab"), 3u);
}

} // namespace
} // namespace zn
