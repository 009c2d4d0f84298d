#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zn {

using FormatArgument = std::variant<long long, std::string>;

// Fills a user-facing format text the way the platform fills its localised strings: each "%lld" and "%@"
// takes the next argument in order, "%%" writes one percent sign. An argument is written in its own form
// (a number in decimal, a text unchanged) whichever of the two specifiers takes it; a specifier left
// without an argument, or one of any other kind, is copied as written.
std::string formatString(std::string_view format, const std::vector<FormatArgument>& arguments);

} // namespace zn
