#pragma once

namespace zn {

// An sRGB colour with opacity 1; the screens turn it into a toolkit colour.
struct RgbColor {
    double red;
    double green;
    double blue;
    bool operator==(const RgbColor&) const = default;
};

// The fixed palette every screen shares.
namespace Tint {
inline constexpr RgbColor blue{0.176, 0.42, 0.894};
inline constexpr RgbColor darkBlue{0.357, 0.635, 1.0};
inline constexpr RgbColor deepBlue{0.118, 0.318, 0.706};
inline constexpr RgbColor green{0.133, 0.788, 0.478};
inline constexpr RgbColor slate{0.42, 0.478, 0.6};
inline constexpr RgbColor orange{0.85, 0.51, 0.07};
inline constexpr RgbColor darkGold{1.0, 0.82, 0.4};
inline constexpr RgbColor cyan{0.0, 0.585, 0.765};
inline constexpr RgbColor darkCyan{0.42, 0.82, 1.0};
inline constexpr RgbColor red{0.949, 0.29, 0.275};
} // namespace Tint

enum class ColorScheme { light, dark };

} // namespace zn
