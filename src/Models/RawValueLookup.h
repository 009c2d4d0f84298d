#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace zn {

// The case whose raw value is exactly `text`, for enumerations whose tables are indexed by the case.
// `rawValueOf` maps a table row to its raw value.
template <typename Enum, typename Table, typename RawValueOf>
std::optional<Enum> enumFromRawValue(const Table& table, std::string_view text, RawValueOf rawValueOf) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (rawValueOf(table[i]) == text)
            return static_cast<Enum>(i);
    return std::nullopt;
}

template <typename Enum, typename Table>
std::optional<Enum> enumFromRawValue(const Table& table, std::string_view text) {
    return enumFromRawValue<Enum>(table, text, [](std::string_view rawValue) { return rawValue; });
}

} // namespace zn
