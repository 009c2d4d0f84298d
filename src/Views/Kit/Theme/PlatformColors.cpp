#include "Views/Kit/Theme/PlatformColors.h"

#include <array>

namespace zn {

namespace {

struct ColorPair {
    QColor dark;
    QColor light;
};

// In the order of PlatformColor. Labels are black or white at an opacity, so they sit well on any fill.
const std::array<ColorPair, 7>& table() {
    static const std::array<ColorPair, 7> pairs{{
        {QColor(50, 50, 50), QColor(236, 236, 236)},
        {QColor(30, 30, 30), QColor(255, 255, 255)},
        {QColor(255, 255, 255, 216), QColor(0, 0, 0, 216)},
        {QColor(255, 255, 255, 140), QColor(0, 0, 0, 127)},
        {QColor(255, 255, 255, 63), QColor(0, 0, 0, 66)},
        {QColor(255, 255, 255, 25), QColor(0, 0, 0, 25)},
        {QColor(255, 255, 255, 25), QColor(0, 0, 0, 25)},
    }};
    return pairs;
}

} // namespace

QColor platformColor(PlatformColor color, ColorScheme scheme) {
    const ColorPair& pair = table()[static_cast<std::size_t>(color)];
    return scheme == ColorScheme::dark ? pair.dark : pair.light;
}

} // namespace zn
