#include "Platform/core/ByteCountFormatter.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace zn {

namespace {

struct Unit {
    std::string_view name;
    int decimals;
};

constexpr std::array<Unit, 8> kUnits{
    {{"KB", 0}, {"MB", 1}, {"GB", 2}, {"TB", 2}, {"PB", 2}, {"EB", 2}, {"ZB", 2}, {"YB", 2}}};

std::string withoutTrailingZeros(std::string number) {
    if (number.find('.') == std::string::npos)
        return number;
    while (number.back() == '0')
        number.pop_back();
    if (number.back() == '.')
        number.pop_back();
    return number;
}

std::string magnitude(std::uint64_t bytes) {
    if (bytes == 0)
        return "Zero KB";
    if (bytes == 1)
        return "1 byte";
    if (bytes < 1000)
        return std::to_string(bytes) + " bytes";

    double value = static_cast<double>(bytes) / 1000.0;
    std::size_t unit = 0;
    while (value >= 1000.0 && unit + 1 < kUnits.size()) {
        value /= 1000.0;
        ++unit;
    }
    // Rounding can carry into the next unit (999,999 bytes is "1 MB", not "1000 KB").
    double scale = std::pow(10.0, kUnits[unit].decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded >= 1000.0 && unit + 1 < kUnits.size()) {
        ++unit;
        scale = std::pow(10.0, kUnits[unit].decimals);
        rounded = std::round(rounded / 1000.0 * scale) / scale;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", kUnits[unit].decimals, rounded);
    return withoutTrailingZeros(text) + " " + std::string(kUnits[unit].name);
}

} // namespace

std::string formatByteCount(std::int64_t bytes) {
    if (bytes < 0)
        // append, not "-" + temporary: GCC 12 warns falsely (-Wrestrict) on that in optimised builds
        return std::string("-").append(magnitude(static_cast<std::uint64_t>(-(bytes + 1)) + 1));
    return magnitude(static_cast<std::uint64_t>(bytes));
}

} // namespace zn
