#include "Platform/core/StringFormat.h"

#include <array>

namespace zn {

namespace {

constexpr std::array<std::string_view, 2> kArgumentSpecifiers{"%lld", "%@"};

std::string textOf(const FormatArgument& argument) {
    if (const auto* number = std::get_if<long long>(&argument))
        return std::to_string(*number);
    return std::get<std::string>(argument);
}

} // namespace

std::string formatString(std::string_view format, const std::vector<FormatArgument>& arguments) {
    std::string filled;
    filled.reserve(format.size());
    std::size_t nextArgument = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        std::string_view rest = format.substr(i);
        if (rest.starts_with("%%")) {
            filled += '%';
            i += 2;
            continue;
        }
        bool consumed = false;
        for (std::string_view specifier : kArgumentSpecifiers) {
            if (rest.starts_with(specifier) && nextArgument < arguments.size()) {
                filled += textOf(arguments[nextArgument++]);
                i += specifier.size();
                consumed = true;
                break;
            }
        }
        if (!consumed)
            filled += format[i++];
    }
    return filled;
}

} // namespace zn
