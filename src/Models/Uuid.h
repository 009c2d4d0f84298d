#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace zn {

// A random (version 4) UUID: the identity of items, results and log entries.
struct Uuid {
    std::array<std::uint8_t, 16> bytes{};

    static Uuid random();
    // Upper-case 8-4-4-4-12 text, the form the platform prints.
    std::string uuidString() const;

    bool operator==(const Uuid&) const = default;
};

} // namespace zn

template <> struct std::hash<zn::Uuid> { std::size_t operator()(const zn::Uuid& uuid) const noexcept; };
