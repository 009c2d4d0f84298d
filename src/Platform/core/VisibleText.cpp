#include "Platform/core/VisibleText.h"

namespace zn {

namespace {

constexpr std::string_view kLineBreak = "\u23CE";
constexpr std::string_view kReplaced = "\uFFFD";

// How many bytes a character starting with `lead` takes; 1 for a byte that leads nothing.
std::size_t announcedLength(unsigned char lead) {
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// The bytes of the character at the start of `text`: as many as its lead byte announces and are there.
std::string_view firstCharacter(std::string_view text) {
    const std::size_t announced = announcedLength(static_cast<unsigned char>(text[0]));
    std::size_t length = 1;
    while (length < announced && length < text.size() &&
           (static_cast<unsigned char>(text[length]) & 0xC0u) == 0x80u)
        ++length;
    return text.substr(0, length);
}

// How a character is shown instead, when it is one of those shown otherwise. A broken sequence is left to
// the display, which shows it as "�" anyway.
std::string_view shownInstead(std::string_view character) {
    const auto byte = [&](std::size_t index) { return static_cast<unsigned char>(character[index]); };
    if (character.size() != announcedLength(byte(0)))
        return {};
    if (character.size() == 1)
        return byte(0) == '\n' || byte(0) == '\r'  ? kLineBreak
               : byte(0) < 0x20 || byte(0) == 0x7F ? kReplaced
                                                   : std::string_view();
    if (character.size() == 2) {
        const unsigned code = ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
        if (code == 0x85)
            return kLineBreak;
        return code < 0x20 || (code >= 0x80 && code <= 0x9F) || code == 0x61C ? kReplaced
                                                                              : std::string_view();
    }
    if (character.size() == 3) {
        const unsigned code = ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
        if (code == 0x2028 || code == 0x2029)
            return kLineBreak;
        const bool bidirectional = code == 0x200E || code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
                                   (code >= 0x2066 && code <= 0x2069);
        return bidirectional ? kReplaced : std::string_view();
    }
    return {};
}

} // namespace

std::string visibleText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    while (!text.empty()) {
        const std::string_view character = firstCharacter(text);
        const std::string_view instead = shownInstead(character);
        shown += instead.empty() ? character : instead;
        text.remove_prefix(character.size());
    }
    return shown;
}

} // namespace zn
