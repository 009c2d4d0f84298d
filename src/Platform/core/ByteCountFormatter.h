#pragma once

#include <cstdint>
#include <string>

namespace zn {

// Byte counts as people read them, in the file style: decimal units (1 KB = 1,000 bytes), "Zero KB",
// "1 byte", "N bytes" below a kilobyte, KB without decimals, MB with one, GB and above with two, trailing
// zeros dropped ("1 MB", "1.2 MB", "2.5 GB", "1.23 GB").
std::string formatByteCount(std::int64_t bytes);

} // namespace zn
