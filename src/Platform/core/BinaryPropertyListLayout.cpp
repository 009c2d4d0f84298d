#include "Platform/core/BinaryPropertyListLayout.h"

namespace zn {

namespace {

constexpr std::size_t kTrailerSize = 32;

} // namespace

std::uint64_t bigEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::optional<BinaryPropertyListLayout> BinaryPropertyListLayout::read(std::string_view bytes) {
    if (!bytes.starts_with(kMagic) || bytes.size() < kMagic.size() + kTrailerSize)
        return std::nullopt;
    const std::size_t trailer = bytes.size() - kTrailerSize;
    BinaryPropertyListLayout list{bytes,
                                  static_cast<unsigned char>(bytes[trailer + 6]),
                                  static_cast<unsigned char>(bytes[trailer + 7]),
                                  bigEndian(bytes, trailer + 8, 8),
                                  bigEndian(bytes, trailer + 16, 8),
                                  0};
    const std::uint64_t tableOffset = bigEndian(bytes, trailer + 24, 8);
    if (list.offsetSize < 1 || list.offsetSize > 8 || list.referenceSize < 1 || list.referenceSize > 8 ||
        tableOffset < kMagic.size() || tableOffset > trailer ||
        list.objectCount > (trailer - tableOffset) / list.offsetSize || list.topObject >= list.objectCount)
        return std::nullopt;
    list.tableOffset = static_cast<std::size_t>(tableOffset);
    return list;
}

std::optional<std::size_t> BinaryPropertyListLayout::objectOffset(std::uint64_t object) const {
    const std::uint64_t offset =
        bigEndian(bytes, tableOffset + static_cast<std::size_t>(object) * offsetSize, offsetSize);
    if (offset < kMagic.size() || offset >= tableOffset)
        return std::nullopt;
    return static_cast<std::size_t>(offset);
}

} // namespace zn
