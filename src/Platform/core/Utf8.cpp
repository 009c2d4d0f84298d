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

namespace {

bool isInvisibleFormatting(UChar32 codePoint) {
    return (codePoint >= 0x80 && codePoint <= 0x9F) || codePoint == 0x061C || codePoint == 0x200E ||
           codePoint == 0x200F || codePoint == 0x2028 || codePoint == 0x2029 ||
           (codePoint >= 0x202A && codePoint <= 0x202E) || (codePoint >= 0x2066 && codePoint <= 0x2069);
}

void appendHex(std::string& out, unsigned value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out.push_back(kDigits[(value >> shift) & 0xF]);
}

} // namespace

std::string escapingControlCharacters(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::string out;
    out.reserve(text.size());
    std::size_t offset = 0;
    while (offset < text.size()) {
        const std::uint8_t byte = bytes[offset];
        if (byte < 0x80) {
            ++offset;
            if (byte == '\\')
                out += "\\\\";
            else if (byte == '\n')
                out += "\\n";
            else if (byte == '\r')
                out += "\\r";
            else if (byte == '\t')
                out += "\\t";
            else if (byte < 0x20 || byte == 0x7F) {
                out += "\\x";
                appendHex(out, byte, 2);
            } else
                out.push_back(static_cast<char>(byte));
            continue;
        }
        // One code point at a time; a malformed sequence yields a negative code point.
        const auto remaining = static_cast<std::int32_t>(std::min<std::size_t>(text.size() - offset, 4));
        std::int32_t length = 0;
        UChar32 codePoint = 0;
        U8_NEXT(bytes + offset, length, remaining, codePoint);
        if (codePoint < 0) {
            out += "\\x";
            appendHex(out, byte, 2);
            ++offset;
            continue;
        }
        if (isInvisibleFormatting(codePoint)) {
            out += "\\u";
            appendHex(out, static_cast<unsigned>(codePoint), 4);
        } else
            out.append(text.substr(offset, static_cast<std::size_t>(length)));
        offset += static_cast<std::size_t>(length);
    }
    return out;
}

} // namespace zn
