#include "Models/SearchSensitivity.h"

#include "Models/RawValueLookup.h"

namespace zn {

namespace {

struct SensitivityRow {
    std::string_view rawValue;
    std::string_view label;
    std::string_view caption;
};

// In the order of SearchSensitivity.
constexpr std::array<SensitivityRow, 3> kRows{{
    {"Strict", "Careful", "Only show files clearly tied to the app."},
    {"Enhanced", "Balanced", "Find more related files while staying careful."},
    {"Deep", "Deep", "Look harder for leftovers. Review results before removing."},
}};

const SensitivityRow& row(SearchSensitivity sensitivity) {
    return kRows[static_cast<std::size_t>(sensitivity)];
}

} // namespace

const std::array<SearchSensitivity, 3>& allSearchSensitivities() {
    static constexpr std::array<SearchSensitivity, 3> all{SearchSensitivity::strict, SearchSensitivity::enhanced,
                                                          SearchSensitivity::deep};
    return all;
}

std::string_view rawValue(SearchSensitivity sensitivity) {
    return row(sensitivity).rawValue;
}

std::optional<SearchSensitivity> searchSensitivityFromRawValue(std::string_view text) {
    return enumFromRawValue<SearchSensitivity>(kRows, text,
                                               [](const SensitivityRow& entry) { return entry.rawValue; });
}

std::string_view optionLabel(SearchSensitivity sensitivity) {
    return row(sensitivity).label;
}

std::string_view optionCaption(SearchSensitivity sensitivity) {
    return row(sensitivity).caption;
}

} // namespace zn
