#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zn {

// Where the objects of a binary property list lie, as its trailer tells.
struct BinaryPropertyListLayout {
    static constexpr std::string_view kMagic = "bplist00";

    std::string_view bytes;
    std::size_t offsetSize = 0;
    std::size_t referenceSize = 0;
    std::uint64_t objectCount = 0;
    std::uint64_t topObject = 0;
    std::size_t tableOffset = 0; // objects lie before the offset table

    // Reads the trailer; none when its sizes, counts or offsets do not fit the bytes.
    static std::optional<BinaryPropertyListLayout> read(std::string_view bytes);
    // Where `object` (below `objectCount`) starts; none when that lies outside the objects.
    std::optional<std::size_t> objectOffset(std::uint64_t object) const;
};

// The unsigned big-endian number of `width` bytes at `at`.
std::uint64_t bigEndian(std::string_view bytes, std::size_t at, std::size_t width);

} // namespace zn
