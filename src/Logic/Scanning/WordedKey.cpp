#include "Logic/Scanning/WordedKey.h"

#include "Logic/Scanning/StringNormalization.h"

#include <algorithm>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace zn {

namespace {

enum class Kind { separator, lower, upper, caselessLetter, digit, other };

Kind kindOf(UChar32 c) {
    if (c >= 0 && c < 0x80) {
        if (isWordSeparator(static_cast<char>(c)))
            return Kind::separator;
        if (c >= 'a' && c <= 'z')
            return Kind::lower;
        if (c >= 'A' && c <= 'Z')
            return Kind::upper;
        return c >= '0' && c <= '9' ? Kind::digit : Kind::other;
    }
    if (u_islower(c))
        return Kind::lower;
    if (u_isupper(c) || u_istitle(c))
        return Kind::upper;
    if (u_isalpha(c))
        return Kind::caselessLetter;
    return u_isdigit(c) ? Kind::digit : Kind::other;
}

bool isLetter(Kind kind) {
    return kind == Kind::lower || kind == Kind::upper || kind == Kind::caselessLetter;
}

// A digit after a letter, and an upper-case letter after a lower-case one, begin a word.
bool beginsAWord(Kind previous, Kind current) {
    return (current == Kind::digit && isLetter(previous)) ||
           (current == Kind::upper && previous == Kind::lower);
}

std::string asciiLowercased(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

} // namespace

WordedKey::WordedKey(std::string_view name) {
    bool ascii = true;
    auto appendWord = [&](std::string_view word) {
        if (word.empty())
            return;
        if (boundaries_.empty() || boundaries_.back() != key_.size())
            boundaries_.push_back(key_.size());
        key_ += ascii ? asciiLowercased(word) : lowercased(word);
        boundaries_.push_back(key_.size());
    };

    const auto length = static_cast<int32_t>(name.size());
    int32_t wordStart = 0;
    Kind previous = Kind::separator;
    for (int32_t at = 0; at < length;) {
        const int32_t here = at;
        UChar32 c;
        U8_NEXT(name.data(), at, length, c);
        ascii = ascii && c >= 0 && c < 0x80;
        const Kind kind = kindOf(c);
        if (kind == Kind::separator) {
            appendWord(name.substr(wordStart, here - wordStart));
            wordStart = at;
        } else if (beginsAWord(previous, kind)) {
            appendWord(name.substr(wordStart, here - wordStart));
            wordStart = here;
        }
        previous = kind;
    }
    appendWord(name.substr(wordStart));

    // Lower-casing a word alone can differ from lower-casing it in its name (a Greek final sigma): the key
    // must be the one every matcher uses, so such a name keeps only the words its separators part.
    if (ascii || key_ == normalizedForMatching(name))
        return;
    key_.clear();
    boundaries_ = {0};
    for (char c : lowercased(name)) {
        if (isWordSeparator(c)) {
            if (boundaries_.back() != key_.size())
                boundaries_.push_back(key_.size());
        } else {
            key_ += c;
        }
    }
    if (boundaries_.back() != key_.size())
        boundaries_.push_back(key_.size());
}

bool WordedKey::startsAt(std::size_t start, std::string_view form) const {
    return key_.compare(start, form.size(), form) == 0;
}

bool WordedKey::holdsWords(std::string_view form) const {
    if (form.empty())
        return false;
    for (std::size_t start : boundaries_)
        if (startsAt(start, form) &&
            std::binary_search(boundaries_.begin(), boundaries_.end(), start + form.size()))
            return true;
    return false;
}

bool WordedKey::holdsOneWord(std::string_view form) const {
    for (std::size_t i = 0; i + 1 < boundaries_.size(); ++i)
        if (boundaries_[i + 1] - boundaries_[i] == form.size() && startsAt(boundaries_[i], form))
            return true;
    return false;
}

std::vector<std::string> WordedKey::words() const {
    std::vector<std::string> words;
    for (std::size_t i = 0; i + 1 < boundaries_.size(); ++i)
        words.push_back(key_.substr(boundaries_[i], boundaries_[i + 1] - boundaries_[i]));
    return words;
}

bool WordedKey::beginsAWordWith(std::string_view form) const {
    if (form.empty())
        return false;
    for (std::size_t start : boundaries_)
        if (startsAt(start, form))
            return true;
    return false;
}

} // namespace zn
