#include "Platform/core/StringFormat.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(StringFormat, FillsNumbersAndTextsInOrder) {
    EXPECT_EQ(formatString("macOS is protecting %lld item(s).", {3LL}), "macOS is protecting 3 item(s).");
    EXPECT_EQ(formatString("Couldn't remove %@%@. They may",
                           {std::string("a.log, b.log"), std::string(" and 1 more")}),
              "Couldn't remove a.log, b.log and 1 more. They may");
    EXPECT_EQ(formatString("%@ (%lld)", {std::string("Notes"), -2LL}), "Notes (-2)");
    // An empty text argument leaves nothing behind.
    EXPECT_EQ(formatString("x%@y", {std::string()}), "xy");
}

TEST(StringFormat, PercentSignsAndMissingArguments) {
    EXPECT_EQ(formatString("100%% of %lld", {7LL}), "100% of 7");
    EXPECT_EQ(formatString("%lld and %@", {1LL}), "1 and %@");
    EXPECT_EQ(formatString("%d %s %", {1LL}), "%d %s %");
    // A text filled into "%lld" and a number into "%@" are written as they are, never reinterpreted.
    EXPECT_EQ(formatString("%lld/%@", {std::string("%@"), 5LL}), "%@/5");
}

} // namespace
} // namespace zn
