#include "Platform/core/DateStyleFormatter.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(DateStyleFormatter, LongDateWithoutTheTime) {
    // Noon UTC falls on the same day in every time zone the tests may run in.
    const Date noon = std::chrono::system_clock::from_time_t(1717416000); // 2024-06-03 12:00 UTC
    EXPECT_EQ(longDateText(noon, "en_US"), "June 3, 2024");
    EXPECT_EQ(longDateText(noon, "de_DE"), "3. Juni 2024");
}

} // namespace
} // namespace zn
