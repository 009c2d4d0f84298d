#pragma once

#include <chrono>
#include <cstdint>

namespace zn {

using Date = std::chrono::system_clock::time_point;

// Dates are stored as seconds since 1 January 2001 00:00:00 UTC, the platform's reference date.
inline constexpr std::chrono::seconds kReferenceDateOffsetFromUnixEpoch{978307200};

double timeIntervalSinceReferenceDate(Date date);
Date dateFromTimeIntervalSinceReferenceDate(double seconds);

// A file's time stamp (seconds and nanoseconds since the Unix epoch) as a date. The clock counts
// nanoseconds and so ends in the year 2262 (and begins in 1677): a stamp beyond either end becomes the
// clock's last or first instant, so a file dated in the far future stays in the future.
Date dateFromUnixTime(std::int64_t seconds, std::int64_t nanoseconds = 0);

} // namespace zn
