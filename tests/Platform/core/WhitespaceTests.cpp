#include "Platform/core/Whitespace.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(Whitespace, TrimsUnicodeSpacesAndLineBreaksAtBothEnds) {
    EXPECT_EQ(trimmingWhitespaceAndNewlines(" \t/Users/zoe/.npm\r\n"), "/Users/zoe/.npm");
    EXPECT_EQ(trimmingWhitespaceAndNewlines("\u00A0\u2028caf\u00E9 au lait\u3000\u0085\v\f"),
              "caf\u00E9 au lait");
    EXPECT_EQ(trimmingWhitespaceAndNewlines(" \n\t "), "");
    EXPECT_EQ(trimmingWhitespaceAndNewlines(""), "");
    // Not white space: the zero-width space and NUL.
    EXPECT_EQ(trimmingWhitespaceAndNewlines("\u200Bx\u200B"), "\u200Bx\u200B");
    EXPECT_EQ(trimmingWhitespaceAndNewlines(std::string_view("x\0", 2)), std::string_view("x\0", 2));
    // A malformed byte stops the trimming on its side.
    EXPECT_EQ(trimmingWhitespaceAndNewlines(" \xFF x \xFE "), "\xFF x \xFE");
}

} // namespace
} // namespace zn
