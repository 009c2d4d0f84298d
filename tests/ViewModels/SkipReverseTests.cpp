#include "Logic/Scanning/StringNormalization.h"
#include "ViewModels/SkipReverse.h"

#include <gtest/gtest.h>
#include <set>

namespace zn {
namespace {

TEST(SkipReverse, HoldsDistinctNormalisedPrefixesInOrder) {
    EXPECT_EQ(std::set<std::string_view>(skipReverse.begin(), skipReverse.end()).size(), 145u);
    EXPECT_EQ(skipReverse.front(), "apple");
    EXPECT_EQ(skipReverse.back(), "cef");
    for (std::string_view prefix : skipReverse) {
        EXPECT_FALSE(prefix.empty());
        EXPECT_EQ(normalizedForMatching(prefix), prefix);
    }
}

} // namespace
} // namespace zn
