#include "Platform/core/StringsFile.h"

#include "Platform/core/PropertyList.h"
#include "Platform/core/RegularFile.h"

#include <cctype>

#include <unicode/unistr.h>
#include <unicode/utf16.h>

namespace zn {

namespace {

using Table = std::map<std::string, std::string>;

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    icu::UnicodeString text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto high = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        auto low = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        text.append(static_cast<char16_t>((high << 8) | low));
    }
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
}

// A lone surrogate becomes U+FFFD.
void appendCodePoint(std::string& out, UChar32 codePoint) {
    icu::UnicodeString(codePoint).toUTF8String(out);
}

class StringsParser {
public:
    explicit StringsParser(std::string_view text) : text_(text) {}

    std::optional<Table> parse() {
        Table table;
        while (true) {
            skipSpaceAndComments();
            if (atEnd())
                return table;
            auto key = token();
            if (!key)
                return std::nullopt;
            skipSpaceAndComments();
            if (peek() == ';') { // `"key";` means the value is the key
                ++position_;
                table[*key] = *key;
                continue;
            }
            if (peek() != '=')
                return std::nullopt;
            ++position_;
            skipSpaceAndComments();
            auto value = token();
            if (!value)
                return std::nullopt;
            skipSpaceAndComments();
            if (peek() != ';')
                return std::nullopt;
            ++position_;
            table[*key] = *value;
        }
    }

private:
    bool atEnd() const { return position_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[position_]; }

    void skipSpaceAndComments() {
        while (!atEnd()) {
            char c = peek();
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                ++position_;
            } else if (text_.substr(position_, 2) == "//") {
                auto end = text_.find('\n', position_);
                position_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else if (text_.substr(position_, 2) == "/*") {
                auto end = text_.find("*/", position_ + 2);
                position_ = end == std::string_view::npos ? text_.size() : end + 2;
            } else {
                return;
            }
        }
    }

    std::optional<std::string> token() {
        if (peek() == '"')
            return quoted();
        std::string bare; // unquoted words are allowed for simple keys
        while (!atEnd() && (std::isalnum(static_cast<unsigned char>(peek())) || peek() == '_' ||
                            peek() == '.' || peek() == '-'))
            bare.push_back(text_[position_++]);
        if (bare.empty())
            return std::nullopt;
        return bare;
    }

    std::optional<std::string> quoted() {
        ++position_;
        std::string out;
        while (!atEnd()) {
            char c = text_[position_++];
            if (c == '"')
                return out;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (atEnd())
                return std::nullopt;
            char escaped = text_[position_++];
            switch (escaped) {
            case 'n':
                out.push_back('\n');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 'U':
            case 'u': {
                const auto unit = hexUnit();
                if (!unit)
                    return std::nullopt;
                appendCodePoint(out, U16_IS_LEAD(*unit) ? withTrailSurrogate(*unit) : *unit);
                break;
            }
            default:
                if (isOctalDigit(escaped)) { // up to three digits, the code of one character
                    unsigned code = static_cast<unsigned>(escaped - '0');
                    for (int digit = 1; digit < 3 && isOctalDigit(peek()); ++digit)
                        code = code * 8 + static_cast<unsigned>(text_[position_++] - '0');
                    appendCodePoint(out, code);
                } else {
                    out.push_back(escaped);
                }
            }
        }
        return std::nullopt;
    }

    static bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

    // The four hexadecimal digits of a "\U" escape, as one UTF-16 unit.
    std::optional<char16_t> hexUnit() {
        const auto hex = text_.substr(position_, 4);
        if (hex.size() != 4 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
            return std::nullopt;
        position_ += 4;
        return static_cast<char16_t>(std::stoul(std::string(hex), nullptr, 16));
    }

    // A character past U+FFFF is written as its UTF-16 pair, two escapes in a row: the character, when a
    // trail surrogate's escape follows `lead`; else `lead` alone, which stands for no character.
    UChar32 withTrailSurrogate(char16_t lead) {
        const std::size_t afterLead = position_;
        if (text_.substr(position_, 2) == "\\U" || text_.substr(position_, 2) == "\\u") {
            position_ += 2;
            if (const auto trail = hexUnit(); trail && U16_IS_TRAIL(*trail))
                return U16_GET_SUPPLEMENTARY(lead, *trail);
        }
        position_ = afterLead;
        return lead;
    }

    std::string_view text_;
    std::size_t position_ = 0;
};

} // namespace

std::optional<Table> parseStringsTable(std::string_view bytes) {
    if (bytes.starts_with("bplist") || bytes.starts_with("<?xml")) {
        auto plist = parsePropertyList(bytes);
        if (!plist || !plist->dictionary())
            return std::nullopt;
        Table table;
        for (const auto& [key, value] : *plist->dictionary())
            if (value.string())
                table[key] = *value.string();
        return table;
    }
    std::string text;
    if (bytes.starts_with("\xFF\xFE"))
        text = utf16ToUtf8(bytes.substr(2), false);
    else if (bytes.starts_with("\xFE\xFF"))
        text = utf16ToUtf8(bytes.substr(2), true);
    else if (bytes.starts_with("\xEF\xBB\xBF"))
        text = std::string(bytes.substr(3));
    else
        text = std::string(bytes);
    return StringsParser(text).parse();
}

std::optional<Table> readStringsFile(const std::string& path) {
    // Only a regular file: a translation that is a named pipe would wait for a writer for good.
    const auto bytes = readRegularFile(path, kMetadataFileLimit);
    if (!bytes)
        return std::nullopt;
    return parseStringsTable(*bytes);
}

} // namespace zn
