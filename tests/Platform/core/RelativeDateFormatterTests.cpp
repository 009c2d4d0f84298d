#include "Platform/core/RelativeDateFormatter.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

using namespace std::chrono;

TEST(RelativeDateFormatter, AbbreviatedEnglish) {
    const Date now = dateFromTimeIntervalSinceReferenceDate(800000000);
    EXPECT_EQ(abbreviatedRelativeTime(now - hours(2), now, "en_US"), "2 hr. ago");
    EXPECT_EQ(abbreviatedRelativeTime(now - hours(2) - minutes(59), now, "en_US"), "2 hr. ago");
    EXPECT_EQ(abbreviatedRelativeTime(now - hours(72), now, "en_US"), "3 days ago");
    EXPECT_EQ(abbreviatedRelativeTime(now + minutes(5), now, "en_US"), "in 5 min.");
    EXPECT_EQ(abbreviatedRelativeTime(now - seconds(30), now, "en_US"), "30 sec. ago");
    // The ends of the clock's range are further from now than the clock itself can subtract.
    EXPECT_FALSE(abbreviatedRelativeTime(Date::min(), now, "en_US").empty());
    EXPECT_FALSE(abbreviatedRelativeTime(now, Date::min(), "en_US").empty());
}

} // namespace
} // namespace zn
