#include "Platform/core/Utf8.h"

#include <cstdint>
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

} // namespace zn
