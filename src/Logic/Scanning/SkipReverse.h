#pragma once

#include <array>
#include <string_view>

namespace zn {

// Normalised name prefixes that the search for leftovers of removed applications never reports: Apple
// components and daemons, developer tools, browsers and vendors whose folders outlive any one application,
// generic folder words, and this application's own name. The first prefix that fits decides.
extern const std::array<std::string_view, 145> skipReverse;

} // namespace zn
