#include "Platform/core/Whitespace.h"

#include <cstdint>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace zn {

namespace {

bool isWhitespaceOrNewline(UChar32 codePoint) {
    if (codePoint < 0)
        return false;
    if ((codePoint >= 0x09 && codePoint <= 0x0D) || codePoint == 0x85)
        return true;
    const auto type = static_cast<UCharCategory>(u_charType(codePoint));
    return type == U_SPACE_SEPARATOR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR;
}

} // namespace

std::string_view trimmingWhitespaceAndNewlines(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    if (static_cast<std::size_t>(length) != text.size())
        return text;

    std::int32_t start = 0;
    while (start < length) {
        std::int32_t next = start;
        UChar32 codePoint = 0;
        U8_NEXT(bytes, next, length, codePoint);
        if (!isWhitespaceOrNewline(codePoint))
            break;
        start = next;
    }
    std::int32_t end = length;
    while (end > start) {
        std::int32_t previous = end;
        UChar32 codePoint = 0;
        U8_PREV(bytes, start, previous, codePoint);
        if (!isWhitespaceOrNewline(codePoint))
            break;
        end = previous;
    }
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

} // namespace zn
