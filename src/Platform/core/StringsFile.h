#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zn {

// A localisation table (".strings"): the old text form `"key" = "value";` with comments, in UTF-8 or
// UTF-16 with a byte-order mark, or a property-list dictionary of texts. None when it is neither.
std::optional<std::map<std::string, std::string>> parseStringsTable(std::string_view bytes);
std::optional<std::map<std::string, std::string>> readStringsFile(const std::string& path);

} // namespace zn
