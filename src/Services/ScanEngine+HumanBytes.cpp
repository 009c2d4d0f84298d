#include "Services/ScanEngine.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <utility>

namespace zn {

namespace {

// Tried in this order; every unit is a power of 1,000.
constexpr std::array<std::pair<std::string_view, double>, 6> kByteUnits{{
    {"TB", 1e12},
    {"GB", 1e9},
    {"MB", 1e6},
    {"kB", 1e3},
    {"KB", 1e3},
    {"B", 1.0},
}};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t digitsFrom(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end - at;
}

// An optional sign, digits with an optional "." fraction (at least one digit in all), and an optional
// exponent. Nothing else: no blank, no hexadecimal form, no infinity or NaN, no comma.
bool isDecimalNumber(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    std::size_t digits = digitsFrom(text, at);
    at += digits;
    if (at < text.size() && text[at] == '.') {
        ++at;
        std::size_t fraction = digitsFrom(text, at);
        at += fraction;
        digits += fraction;
    }
    if (digits == 0)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        std::size_t exponent = digitsFrom(text, at);
        if (exponent == 0)
            return false;
        at += exponent;
    }
    return at == text.size();
}

// Reads a checked decimal number in the C locale, whatever locale the program runs in.
std::optional<double> decimalValue(const std::string& text) {
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (!cLocale)
        return std::nullopt;
    return ::strtod_l(text.c_str(), nullptr, cLocale);
}

std::string_view trimmingSpacesAndTabs(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<std::int64_t> ScanEngine::parseHumanBytes(std::string_view text) {
    text = trimmingSpacesAndTabs(text);
    if (text.empty())
        return std::nullopt;
    for (const auto& [suffix, factor] : kByteUnits) {
        if (!text.ends_with(suffix))
            continue;
        const std::string_view number = text.substr(0, text.size() - suffix.size());
        std::optional<double> value =
            isDecimalNumber(number) ? decimalValue(std::string(number)) : std::nullopt;
        if (!value)
            continue;
        const double bytes = *value * factor;
        // 2^63 itself is the first value that no longer fits; converting it would be undefined.
        constexpr double kLimit = 9223372036854775808.0;
        if (!std::isfinite(bytes) || bytes >= kLimit || bytes < -kLimit)
            continue;
        return static_cast<std::int64_t>(bytes);
    }
    return std::nullopt;
}

} // namespace zn
