#pragma once

#include <string>
#include <string_view>

namespace zn {

// A name or path (UTF-8) made safe to show, so that what a list shows is what will be removed: every
// character keeps its place, and none can hide the rest or reorder it. Line breaks (LF, CR, NEL, the line
// and paragraph separators) show as "⏎"; every other control character, and each bidirectional control
// (embeddings, overrides, isolates, the directional marks) as "�". Everything else is kept byte for byte.
std::string visibleText(std::string_view text);

} // namespace zn
