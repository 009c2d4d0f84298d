#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zn {

// A property list (XML or binary) read into a small value tree.
struct PlistValue {
    // An integer that does not fit a signed 64-bit value keeps only this marker.
    struct OutOfRangeInteger {
        bool operator==(const OutOfRangeInteger&) const = default;
    };
    using Array = std::vector<PlistValue>;
    using Dictionary = std::map<std::string, PlistValue>;
    using Data = std::vector<std::uint8_t>;

    std::variant<std::monostate, bool, std::int64_t, OutOfRangeInteger, double, std::string, Data, Array,
                 Dictionary>
        value;

    const std::string* string() const { return std::get_if<std::string>(&value); }
    const std::int64_t* integer() const { return std::get_if<std::int64_t>(&value); }
    const Array* array() const { return std::get_if<Array>(&value); }
    const Dictionary* dictionary() const { return std::get_if<Dictionary>(&value); }
    // The value under `key` when this is a dictionary holding it.
    const PlistValue* find(std::string_view key) const;
    // The text under `key`, only when it is a string value.
    std::optional<std::string> stringForKey(std::string_view key) const;

    bool operator==(const PlistValue&) const = default;
};

// Parses XML or binary property-list bytes; none when they are not a property list, or when their
// shape is one `isPropertyListShapeSafe` turns away (a string or key holding U+0000 among them).
std::optional<PlistValue> parsePropertyList(std::string_view bytes);
// Reads and parses a property-list file; none when it cannot be read or parsed.
std::optional<PlistValue> readPropertyListFile(const std::string& path);

} // namespace zn
