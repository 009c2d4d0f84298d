#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zn {

// A name's matching key together with where its words meet: the words are what " ", "-", "_" and "."
// kept apart before the key dropped them ("Proton Mail" → "protonmail", words "proton" and "mail").
class WordedKey {
public:
    explicit WordedKey(std::string_view name);

    const std::string& key() const { return key_; }
    // `form` (a key) is one or more whole words of the name: "protonmail" is in "ch.protonmail.drive", in
    // "Proton Mail" and in "Protonmail Bridge", never in "protonmailbridge" nor "myprotonmail".
    bool holdsWords(std::string_view form) const;

private:
    std::string key_;
    std::vector<std::size_t> boundaries_; // offsets into the key where a word starts or ends, ascending
};

} // namespace zn
