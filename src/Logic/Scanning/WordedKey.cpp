#include "Logic/Scanning/WordedKey.h"

#include "Logic/Scanning/StringNormalization.h"

#include <algorithm>

namespace zn {

WordedKey::WordedKey(std::string_view name) {
    // The separators are ASCII and lower-casing leaves them alone, so dropping them from the lower-cased
    // name gives exactly the matching key.
    const std::string lower = lowercased(name);
    key_.reserve(lower.size());
    boundaries_.push_back(0);
    for (char c : lower) {
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

bool WordedKey::holdsWords(std::string_view form) const {
    if (form.empty())
        return false;
    for (std::size_t start : boundaries_)
        if (key_.compare(start, form.size(), form) == 0 &&
            std::binary_search(boundaries_.begin(), boundaries_.end(), start + form.size()))
            return true;
    return false;
}

} // namespace zn
