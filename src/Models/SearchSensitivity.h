#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace zn {

// How hard the settings say the uninstaller should look for an application's files. Kept for the user's
// choice only: the leftover finder searches at its own fixed level and never reads this.
enum class SearchSensitivity { strict, enhanced, deep };

const std::array<SearchSensitivity, 3>& allSearchSensitivities();
// "Strict", "Enhanced", "Deep": the stored form.
std::string_view rawValue(SearchSensitivity sensitivity);
// Exact, case-sensitive match; any other text gives none.
std::optional<SearchSensitivity> searchSensitivityFromRawValue(std::string_view text);
// What the settings window shows for the option: "Careful", "Balanced", "Deep".
std::string_view optionLabel(SearchSensitivity sensitivity);
std::string_view optionCaption(SearchSensitivity sensitivity);

} // namespace zn
