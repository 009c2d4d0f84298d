#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zn {

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF),
// the test a tool's output must pass before it is read as text.
bool isValidUtf8(std::string_view bytes);

// `text` as it is when it holds at most `maxCharacters` code points; otherwise its first `maxCharacters - 1`
// code points followed by "…". Reads no further than that, so a huge text costs no more than a short one.
// A byte that is not part of well-formed UTF-8 counts as one character.
std::string truncatedWithEllipsis(std::string_view text, std::size_t maxCharacters);

// `text` as one line that shows what it holds: a backslash doubled, tab, line feed and carriage return as
// \t, \n and \r, the other C0 controls, DEL and any byte that is not part of well-formed UTF-8 as \xNN, and
// the C1 controls, the line and paragraph separators and the bidirectional controls (which make a line
// read other than it is) as \uNNNN. Everything else is kept as it is.
std::string escapingControlCharacters(std::string_view text);

} // namespace zn
