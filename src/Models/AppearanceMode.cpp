#include "Models/AppearanceMode.h"

#include <array>

namespace zn {

namespace {
constexpr std::array<std::string_view, 3> kRawValues{"system", "light", "dark"};
}

std::string_view rawValue(AppearanceMode mode) { return kRawValues[static_cast<std::size_t>(mode)]; }

std::optional<AppearanceMode> appearanceModeFromRawValue(std::string_view text) {
    for (std::size_t i = 0; i < kRawValues.size(); ++i)
        if (kRawValues[i] == text)
            return static_cast<AppearanceMode>(i);
    return std::nullopt;
}

} // namespace zn
