#include "Models/AppearanceMode.h"
#include "Models/RawValueLookup.h"

#include <array>

namespace zn {

namespace {
constexpr std::array<std::string_view, 3> kRawValues{"system", "light", "dark"};
}

std::string_view rawValue(AppearanceMode mode) {
    return kRawValues[static_cast<std::size_t>(mode)];
}

std::optional<AppearanceMode> appearanceModeFromRawValue(std::string_view text) {
    return enumFromRawValue<AppearanceMode>(kRawValues, text);
}

} // namespace zn
