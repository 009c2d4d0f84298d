#pragma once

#include <optional>
#include <string_view>

namespace zn {

enum class AppearanceMode { system, light, dark };

std::string_view rawValue(AppearanceMode mode);
std::optional<AppearanceMode> appearanceModeFromRawValue(std::string_view text);

} // namespace zn
