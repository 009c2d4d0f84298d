#include "Logic/Scanning/StringNormalization.h"

#include <array>
#include <memory>
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <vector>

namespace zn {

namespace {

bool isAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

icu::UnicodeString toUnicode(std::string_view text) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

std::string toUtf8(const icu::UnicodeString& text) {
    std::string result;
    text.toUTF8String(result);
    return result;
}

// One grapheme-cluster iterator per thread: creating one is costly and an iterator is not thread-safe.
icu::BreakIterator* characterIterator() {
    thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> created(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(created) : nullptr;
    }();
    return iterator.get();
}

// The start offsets (in UTF-16 units) of the text's grapheme clusters, followed by its length.
std::vector<int32_t> clusterBoundaries(const icu::UnicodeString& text) {
    std::vector<int32_t> boundaries;
    icu::BreakIterator* iterator = characterIterator();
    if (!iterator) { // no break rules: fall back to code points
        for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1))
            boundaries.push_back(i);
        boundaries.push_back(text.length());
        return boundaries;
    }
    iterator->setText(text);
    for (int32_t p = iterator->first(); p != icu::BreakIterator::DONE; p = iterator->next())
        boundaries.push_back(p);
    iterator->setText(icu::UnicodeString()); // drop the reference to `text`
    return boundaries;
}

const icu::RegexPattern* trailingVersionPattern() {
    static const std::unique_ptr<icu::RegexPattern> pattern = [] {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError;
        std::unique_ptr<icu::RegexPattern> compiled(icu::RegexPattern::compile(
            icu::UnicodeString::fromUTF8("\\s+\\d+(\\.\\d+)*\\s*$"), 0, parseError, status));
        return U_SUCCESS(status) ? std::move(compiled) : nullptr;
    }();
    return pattern.get();
}

bool isSpaceOrTab(UChar32 c) {
    return c == 0x09 || u_charType(c) == U_SPACE_SEPARATOR;
}

icu::UnicodeString trimmingSpacesAndTabs(const icu::UnicodeString& text) {
    int32_t start = 0;
    int32_t end = text.length();
    while (start < end && isSpaceOrTab(text.char32At(start)))
        start = text.moveIndex32(start, 1);
    while (end > start && isSpaceOrTab(text.char32At(end - 1)))
        end = text.moveIndex32(end, -1);
    return icu::UnicodeString(text, start, end - start);
}

constexpr std::array<std::string_view, 12> kRoleWords = {"helper",      "agent",    "daemon",    "service",
                                                         "xpc",         "launcher", "updater",   "installer",
                                                         "uninstaller", "login",    "extension", "plugin"};

} // namespace

bool isWordSeparator(char c) {
    return c == ' ' || c == '-' || c == '_' || c == '.';
}

std::vector<std::string_view> componentsSeparatedByDots(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t dot = text.find('.', start);
        if (dot == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
}

std::string lowercased(std::string_view text) {
    if (isAscii(text)) {
        std::string result(text);
        for (char& c : result)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return result;
    }
    icu::UnicodeString unicode = toUnicode(text);
    unicode.toLower(icu::Locale::getRoot());
    return toUtf8(unicode);
}

std::string normalizedForMatching(std::string_view text) {
    std::string result = lowercased(text);
    std::erase_if(result, isWordSeparator);
    return result;
}

std::string bundleLastTwoComponents(std::string_view bundleIdentifier) {
    std::vector<std::string_view> kept;
    for (std::string_view part : componentsSeparatedByDots(bundleIdentifier))
        if (part != "-")
            kept.push_back(part);
    std::size_t first = kept.size() > 2 ? kept.size() - 2 : 0;
    std::string result;
    for (std::size_t i = first; i < kept.size(); ++i)
        result += lowercased(kept[i]);
    return result;
}

std::string lettersOnly(std::string_view appName) {
    icu::UnicodeString unicode = toUnicode(appName);
    std::vector<int32_t> boundaries = clusterBoundaries(unicode);
    icu::UnicodeString letters;
    for (std::size_t i = 0; i + 1 < boundaries.size(); ++i) {
        // A cluster counts as a letter by its first code point, so accents combined with it stay.
        if (u_isalpha(unicode.char32At(boundaries[i])))
            letters.append(unicode, boundaries[i], boundaries[i + 1] - boundaries[i]);
    }
    letters.toLower(icu::Locale::getRoot());
    return toUtf8(letters);
}

std::optional<std::string> bundleCompanyName(std::string_view bundleIdentifier) {
    std::vector<std::string_view> parts = componentsSeparatedByDots(bundleIdentifier);
    if (parts.size() != 3 || parts[1].empty())
        return std::nullopt;
    return normalizedForMatching(parts[1]);
}

std::optional<std::string> baseBundleIdentifier(std::string_view bundleIdentifier) {
    std::vector<std::string_view> parts = componentsSeparatedByDots(bundleIdentifier);
    if (parts.size() < 4)
        return std::nullopt;
    const std::string last = lowercased(parts.back());
    bool isRoleWord = false;
    for (std::string_view word : kRoleWords)
        isRoleWord = isRoleWord || last == word;
    if (!isRoleWord)
        return std::nullopt;
    std::string base;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        if (i > 0)
            base += '.';
        base += parts[i];
    }
    return base;
}

std::string strippingTrailingVersion(std::string_view appName) {
    icu::UnicodeString unicode = toUnicode(appName);
    if (const icu::RegexPattern* pattern = trailingVersionPattern()) {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(unicode, status));
        if (U_SUCCESS(status)) {
            icu::UnicodeString replaced = matcher->replaceAll(icu::UnicodeString(), status);
            if (U_SUCCESS(status))
                unicode = replaced;
        }
    }
    return toUtf8(trimmingSpacesAndTabs(unicode));
}

std::size_t characterCount(std::string_view text) {
    if (text.empty())
        return 0;
    return clusterBoundaries(toUnicode(text)).size() - 1;
}

} // namespace zn
