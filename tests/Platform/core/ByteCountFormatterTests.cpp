#include "Platform/core/ByteCountFormatter.h"

#include <gtest/gtest.h>
#include <limits>

namespace zn {
namespace {

TEST(ByteCountFormatter, FileStyleAtEveryUnitBoundary) {
    const std::vector<std::pair<std::int64_t, std::string>> table{
        {0, "Zero KB"},
        {1, "1 byte"},
        {2, "2 bytes"},
        {999, "999 bytes"},
        {1000, "1 KB"},
        {1499, "1 KB"},
        {1500, "2 KB"},
        {2048, "2 KB"},
        {999'499, "999 KB"},
        {999'500, "1 MB"},
        {1'000'000, "1 MB"},
        {1'200'000, "1.2 MB"},
        {1'250'000, "1.3 MB"},
        {999'949'999, "999.9 MB"},
        {999'950'000, "1 GB"},
        {1'000'000'000, "1 GB"},
        {1'230'000'000, "1.23 GB"},
        {2'500'000'000, "2.5 GB"},
        {2'000'000'000, "2 GB"},
        {1'000'000'000'000, "1 TB"},
        {1'500'000'000'000'000, "1.5 PB"},
        {std::numeric_limits<std::int64_t>::max(), "9.22 EB"},
        {-2'500'000'000, "-2.5 GB"},
    };
    for (const auto& [bytes, text] : table)
        EXPECT_EQ(formatByteCount(bytes), text) << bytes;
}

} // namespace
} // namespace zn
