#pragma once

#include <chrono>

namespace zn {

using Date = std::chrono::system_clock::time_point;

// Dates are stored as seconds since 1 January 2001 00:00:00 UTC, the platform's reference date.
inline constexpr std::chrono::seconds kReferenceDateOffsetFromUnixEpoch{978307200};

double timeIntervalSinceReferenceDate(Date date);
Date dateFromTimeIntervalSinceReferenceDate(double seconds);

} // namespace zn
