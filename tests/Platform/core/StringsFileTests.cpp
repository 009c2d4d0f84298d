#include "Platform/core/StringsFile.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(StringsFile, OldStyleTextWithCommentsAndEscapes) {
    auto table = parseStringsTable("/* Localized */\n\"CFBundleName\" = \"Fo\\\"o\";\n// line\n"
                                   "CFBundleDisplayName = \"\\U00e9t\\u00e9\";\n\"Same\";\n");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->at("CFBundleName"), "Fo\"o");
    EXPECT_EQ(table->at("CFBundleDisplayName"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(table->at("Same"), "Same");

    EXPECT_FALSE(parseStringsTable("\"unterminated\" = \"x"));
    EXPECT_FALSE(parseStringsTable("\"a\" = \"b\"")); // missing ";"
    EXPECT_TRUE(parseStringsTable("")->empty());
}

TEST(StringsFile, Utf16AndPropertyListForms) {
    std::string utf16le("\xFF\xFE", 2);
    for (char c : std::string("\"CFBundleName\" = \"Zed\";"))
        utf16le += std::string{c, '\0'};
    auto table = parseStringsTable(utf16le);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->at("CFBundleName"), "Zed");

    table = parseStringsTable("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleName</key>"
                              "<string>Plist</string><key>N</key><integer>3</integer></dict></plist>");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->at("CFBundleName"), "Plist");
    EXPECT_FALSE(table->contains("N"));
}

} // namespace
} // namespace zn
