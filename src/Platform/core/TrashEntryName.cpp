#include "Platform/core/TrashEntryName.h"

namespace zn {

namespace {

// Longer than this after its last dot, the rest of a name is no extension worth keeping.
constexpr std::size_t kLongestExtension = 16;

bool isContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// At most `size` bytes of `text`, never ending inside a UTF-8 character.
std::string cutAtCharacter(const std::string& text, std::size_t size) {
    if (text.size() <= size)
        return text;
    while (size > 0 && isContinuationByte(text[size]))
        --size;
    return text.substr(0, size);
}

} // namespace

std::string numberedEntryName(const std::string& name, int attempt, std::size_t limit) {
    const std::string number = attempt > 1 ? "." + std::to_string(attempt) : std::string();
    if (name.size() + number.size() <= limit)
        return name + number;
    std::string extension;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0 && name.size() - dot <= kLongestExtension)
        extension = name.substr(dot);
    const std::string stem = name.substr(0, name.size() - extension.size());
    return cutAtCharacter(stem, limit - number.size() - extension.size()) + extension + number;
}

} // namespace zn
