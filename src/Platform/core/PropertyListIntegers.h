#pragma once

#include <string>

namespace zn {

// Rewrites the integers of property-list bytes that the parser would read as some other number, so that
// it reads each as it is written: in range, or past the signed 64-bit range. The parser negates an XML
// integer's magnitude modulo 2^64 (-18446744073709551615 would read as 1, -9223372036854775809 as the
// largest positive value), so the sign of one past the range turns into "+", which it reads as a value
// past the range; it keeps only the low eight bytes of a binary 16-byte integer (2^64 would read as 0),
// so one that fits becomes an 8-byte integer and one that does not becomes 2^64 - 1, which it reads as a
// value past the range. Nothing else changes; bytes of neither form are left as they are.
void markIntegersPastSixtyFourBits(std::string& bytes);

} // namespace zn
