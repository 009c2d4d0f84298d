#pragma once

#include <string_view>

namespace zn {

// `text` without the white space and line breaks at both ends: every Unicode space separator, the line
// and paragraph separators, the ASCII controls from tab to carriage return, and U+0085. Bytes that are
// not well-formed UTF-8 end the trimming on their side.
std::string_view trimmingWhitespaceAndNewlines(std::string_view text);

} // namespace zn
