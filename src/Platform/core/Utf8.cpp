#include "Platform/core/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unicode/utf8.h>

namespace zn {

bool isValidUtf8(std::string_view bytes) {
    const auto* text = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const auto length = static_cast<std::int32_t>(bytes.size());
    if (static_cast<std::size_t>(length) != bytes.size())
        return false;
    std::int32_t offset = 0;
    while (offset < length) {
        UChar32 codePoint = 0;
        U8_NEXT(text, offset, length, codePoint);
        if (codePoint < 0)
            return false;
    }
    return true;
}

std::string truncatedWithEllipsis(std::string_view text, std::size_t maxCharacters) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    // Only the first few characters are ever looked at.
    const auto length = static_cast<std::int32_t>(
        std::min<std::size_t>(text.size(), std::numeric_limits<std::int32_t>::max()));
    std::int32_t offset = 0;
    std::int32_t cut = 0;
    for (std::size_t count = 0; offset < length; ++count) {
        if (count + 1 == maxCharacters)
            cut = offset;
        if (count == maxCharacters)
            return std::string(text.substr(0, static_cast<std::size_t>(cut))) + "\u2026";
        UChar32 codePoint = 0;
        U8_NEXT(bytes, offset, length, codePoint);
    }
    return std::string(text);
}

} // namespace zn
