#include "Platform/core/LocalTimestamp.h"
#include "support/ScopedTimeZone.h"

#include <ctime>
#include <gtest/gtest.h>

namespace zn {
namespace {

Date at(std::time_t seconds) {
    return std::chrono::system_clock::from_time_t(seconds);
}

TEST(LocalTimestamp, ReadsTheWallTimeOfTheLocalZone) {
    {
        test::ScopedTimeZone utc("UTC0");
        EXPECT_EQ(dateFromLocalTimestamp("2024-01-15-123456"), at(1'705'322'096));
        EXPECT_EQ(dateFromLocalTimestamp("2024-02-29-000000"), at(1'709'164'800));
        EXPECT_EQ(dateFromLocalTimestamp("2300-01-01-000000"), Date::max()); // past the clock's range
    }
    test::ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(dateFromLocalTimestamp("2024-07-01-120000"), at(1'719'828'000)); // summer time, UTC+2
    // The hour repeated when summer time ends names a real time, whichever of the two it is.
    auto repeated = dateFromLocalTimestamp("2024-10-27-023000");
    ASSERT_TRUE(repeated.has_value());
    EXPECT_TRUE(*repeated == at(1'729'989'000) || *repeated == at(1'729'992'600));
    // The hour skipped when summer time starts never existed.
    EXPECT_EQ(dateFromLocalTimestamp("2024-03-31-023000"), std::nullopt);
}

TEST(LocalTimestamp, OnlyTheWholePatternOfARealDay) {
    test::ScopedTimeZone utc("UTC0");
    for (const char* text : {"2023-02-29-000000",
                             "2024-02-30-120000",
                             "2024-13-01-000000",
                             "2024-00-10-000000",
                             "2024-01-00-000000",
                             "2024-01-15-240000",
                             "2024-01-15-126000",
                             "2024-01-15-123460",
                             "0000-01-01-000000",
                             "2024-1-15-123456",
                             "2024-01-15-12345",
                             "2024-01-15-1234567",
                             " 2024-01-15-123456",
                             "2024-01-15-123456 ",
                             "2024-01-15-123456Z",
                             "2024/01/15-123456",
                             "+024-01-15-123456",
                             "2024-01-15-1234\xd9\xa5",
                             "",
                             "local",
                             "com.apple.TimeMachine"})
        EXPECT_EQ(dateFromLocalTimestamp(text), std::nullopt) << text;
}

} // namespace
} // namespace zn
