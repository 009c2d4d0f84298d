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
}

// The ends of the clock's range (a file time past 2262 saturates to the latest) are further from now than
// the clock itself can subtract: they still read in years, in their own direction. The same moment as now
// reads as no time at all.
TEST(RelativeDateFormatter, TheLimitsKeepTheirDirectionAndUnit) {
    const Date now = dateFromTimeIntervalSinceReferenceDate(800000000);
    EXPECT_EQ(abbreviatedRelativeTime(Date::max(), now, "en_US"), "in 236 yr.");
    EXPECT_EQ(abbreviatedRelativeTime(Date::min(), now, "en_US"), "348 yr. ago");
    EXPECT_EQ(abbreviatedRelativeTime(now, Date::min(), "en_US"), "in 348 yr.");
    EXPECT_EQ(abbreviatedRelativeTime(now, Date::max(), "en_US"), "236 yr. ago");
    EXPECT_EQ(abbreviatedRelativeTime(now, now, "en_US"), "in 0 sec.");
    EXPECT_EQ(abbreviatedRelativeTime(now - milliseconds(400), now, "en_US"), "0 sec. ago");
}

} // namespace
} // namespace zn
