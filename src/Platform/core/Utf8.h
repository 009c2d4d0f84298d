#pragma once

#include <string_view>

namespace zn {

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF),
// the test a tool's output must pass before it is read as text.
bool isValidUtf8(std::string_view bytes);

} // namespace zn
