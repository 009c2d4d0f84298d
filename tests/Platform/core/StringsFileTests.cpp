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

TEST(StringsFile, EscapesOfPairsAndOctalDigits) {
    // A character past U+FFFF is written as its UTF-16 pair; a surrogate alone stands for no character.
    auto table = parseStringsTable("\"Face\" = \"\\UD83D\\UDE00!\";\n\"Lone\" = \"\\UD83Dx\\uDE00\";\n"
                                   "\"Twice\" = \"\\UD83D\\UD83D\\UDE00\";");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->at("Face"), "\U0001F600!");
    EXPECT_EQ(table->at("Lone"), "\uFFFDx\uFFFD");
    EXPECT_EQ(table->at("Twice"), "\uFFFD\U0001F600");
    // Up to three octal digits name one character.
    table = parseStringsTable("\"Lines\" = \"a\\012b\\12c\\0123\\101\";");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->at("Lines"), "a\nb\nc\n3A");
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
    // A property list whose text holds a NUL is no table at all.
    using namespace std::string_literals;
    EXPECT_FALSE(
        parseStringsTable("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleName</key>"
                          "<string>P\0</string></dict></plist>"s));
}

} // namespace
} // namespace zn
