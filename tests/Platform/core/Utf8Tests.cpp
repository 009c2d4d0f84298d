#include "Platform/core/Utf8.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(Utf8, AcceptsWellFormedTextOnly) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("/Users/zoë/Library/Caches/日本\n"));
    EXPECT_TRUE(isValidUtf8(std::string_view("a\0b", 3)));
    EXPECT_FALSE(isValidUtf8("\xff"));
    EXPECT_FALSE(isValidUtf8("caf\xc3"));          // cut short
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));         // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));     // a surrogate
    EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80")); // past U+10FFFF
}

TEST(Utf8, TruncatedWithEllipsisCountsCodePoints) {
    EXPECT_EQ(truncatedWithEllipsis("", 3), "");
    EXPECT_EQ(truncatedWithEllipsis("abc", 3), "abc");
    EXPECT_EQ(truncatedWithEllipsis("abcd", 3), "ab\u2026");
    EXPECT_EQ(truncatedWithEllipsis("\xC3\xA9t\xC3\xA9\xC3\xA9", 3),
              "\xC3\xA9t\u2026"); // never inside a character
    EXPECT_EQ(truncatedWithEllipsis("\xff\xfe\xfd\xfc", 3), "\xff\xfe\u2026");
    EXPECT_EQ(truncatedWithEllipsis("ab", 1), "\u2026");
}

TEST(Utf8, EscapingControlCharactersLeavesOneLineThatShowsWhatItHolds) {
    EXPECT_EQ(escapingControlCharacters("/home/zoë/Library/Caches/日本 it's \"x\""),
              "/home/zoë/Library/Caches/日本 it's \"x\"");
    EXPECT_EQ(escapingControlCharacters("a\nb\r\tc\\n"), "a\\nb\\r\\tc\\\\n");
    EXPECT_EQ(escapingControlCharacters(std::string_view("\0\x1b[31m\x7f", 7)), "\\x00\\x1B[31m\\x7F");
    // C1 controls, separators and bidirectional controls: U+0085, U+2028, U+202E, U+2066, U+061C.
    EXPECT_EQ(escapingControlCharacters("\u0085\u2028x\u202Etxt.exe\u2066\u061C"),
              "\\u0085\\u2028x\\u202Etxt.exe\\u2066\\u061C");
    // Bytes that are no UTF-8 are shown byte by byte; what follows them is read as usual.
    EXPECT_EQ(escapingControlCharacters("caf\xc3\n\xff\xc3\xa9"), "caf\\xC3\\n\\xFF\xc3\xa9");
}

} // namespace
} // namespace zn
