#pragma once

#include <string>
#include <string_view>

namespace zn {

// The symbol of a listed file: chosen by the extension of its name, and only for names without a known
// extension by whether a folder stands at its path (looked at each time it is asked).
std::string_view fileIconSymbol(const std::string& name, const std::string& path);

} // namespace zn
