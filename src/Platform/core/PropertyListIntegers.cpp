#include "Platform/core/PropertyListIntegers.h"

#include "Platform/core/BinaryPropertyListLayout.h"
#include "Platform/core/XmlMarkup.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace zn {

namespace {

constexpr std::uint64_t kLargestNegativeMagnitude = std::uint64_t{1} << 63;

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// An XML integer's text as the parser reads it: whitespace and a sign it takes itself, then what
// strtoull takes: whitespace, a sign and digits in any base C allows, saturating past 64 bits. Gives the
// offsets of its signs in `text` when its value lies past the signed 64-bit range.
std::vector<std::size_t> signsOfAnIntegerPastTheRange(const std::string& text) {
    std::vector<std::size_t> signs;
    bool negative = false;
    std::size_t at = 0;
    for (int sign = 0; sign < 2; ++sign) {
        while (at < text.size() && isSpace(text[at]))
            ++at;
        if (at == text.size() || (text[at] != '-' && text[at] != '+'))
            break;
        negative ^= text[at] == '-';
        signs.push_back(at++);
    }
    if (at == text.size() || !std::isdigit(static_cast<unsigned char>(text[at])))
        return {};
    errno = 0;
    const std::uint64_t magnitude = std::strtoull(text.c_str() + at, nullptr, 0);
    const bool past =
        errno == ERANGE ||
        magnitude > (negative ? kLargestNegativeMagnitude
                              : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()));
    return past ? signs : std::vector<std::size_t>{};
}

// The text of each non-empty "integer" element, its pieces of character data and character data sections
// joined as the parser joins them; every sign of one past the range turns into "+".
void markXmlIntegers(std::string& document) {
    using Kind = XmlPiece::Kind;
    struct Part {
        std::size_t offset; // in the document
        std::size_t length;
    };
    bool inInteger = false;
    std::string text;
    std::vector<Part> parts;
    std::vector<std::size_t> signsToTurn;
    const auto endInteger = [&] {
        for (std::size_t sign : signsOfAnIntegerPastTheRange(text)) {
            for (const Part& part : parts) {
                if (sign < part.length) {
                    signsToTurn.push_back(part.offset + sign);
                    break;
                }
                sign -= part.length;
            }
        }
        inInteger = false;
        text.clear();
        parts.clear();
    };
    const std::string_view bytes = document;
    forEachXmlPiece(bytes, [&](const XmlPiece& piece) {
        const auto offset = static_cast<std::size_t>(piece.text.data() - bytes.data());
        switch (piece.kind) {
        case Kind::characterData:
            if (inInteger) {
                parts.push_back({offset, piece.text.size()});
                text += piece.text;
            }
            break;
        case Kind::characterDataSection:
            if (inInteger && piece.text.ends_with("]]>")) {
                const std::string_view inside = piece.text.substr(9, piece.text.size() - 12);
                parts.push_back({offset + 9, inside.size()});
                text += inside;
            }
            break;
        case Kind::startTag:
        case Kind::endTag:
            if (inInteger)
                endInteger();
            inInteger = piece.kind == Kind::startTag && !piece.empty && xmlElementName(piece) == "integer";
            break;
        case Kind::other:
            break;
        }
        return true;
    });
    if (inInteger)
        endInteger();
    for (std::size_t sign : signsToTurn)
        document[sign] = '+';
}

// Each 16-byte integer object the offset table names.
void markBinaryIntegers(std::string& bytes) {
    const auto list = BinaryPropertyListLayout::read(bytes);
    if (!list)
        return;
    constexpr std::size_t kWideSize = 1 + 16;
    for (std::uint64_t object = 0; object < list->objectCount; ++object) {
        const auto offset = list->objectOffset(object);
        if (!offset || list->tableOffset - *offset < kWideSize || bytes[*offset] != '\x14')
            continue;
        const std::uint64_t high = bigEndian(bytes, *offset + 1, 8);
        const std::uint64_t low = bigEndian(bytes, *offset + 9, 8);
        const bool fits = high == (low >> 63 ? ~std::uint64_t{0} : 0);
        const auto at = bytes.begin() + static_cast<std::ptrdiff_t>(*offset);
        if (fits) {
            // The 8-byte form, its low bytes moved up; the eight left over behind it are never read.
            at[0] = '\x13';
            std::copy_n(at + 9, 8, at + 1);
        } else {
            std::fill_n(at + 1, 8, '\0');
            std::fill_n(at + 9, 8, '\xFF');
        }
    }
}

} // namespace

void markIntegersPastSixtyFourBits(std::string& bytes) {
    if (bytes.starts_with(BinaryPropertyListLayout::kMagic))
        markBinaryIntegers(bytes);
    else
        markXmlIntegers(bytes);
}

} // namespace zn
