#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zn {

// A name's matching key together with where its words meet. Words are parted by " ", "-", "_" and ".",
// which the key drops, by a digit after a letter, and by an upper-case letter after a lower-case one, as
// names join words ("Proton Mail" → "protonmail", words "proton" and "mail"; "GoogleUpdater" → "google" and
// "updater"; "iTerm2" → "i", "term" and "2").
class WordedKey {
public:
    explicit WordedKey(std::string_view name);

    const std::string& key() const { return key_; }
    // `form` (a key) is one or more whole words of the name: "protonmail" is in "ch.protonmail.drive", in
    // "Proton Mail" and in "ProtonmailBridge", never in "protonmailbridge" nor "myprotonmail".
    bool holdsWords(std::string_view form) const;
    // `form` is one word of the name, exactly: "protonmail" in "ch.protonmail.drive", not in "Proton Mail".
    bool holdsOneWord(std::string_view form) const;
    // The words, in order.
    std::vector<std::string> words() const;
    // `form` begins a word of the name, or is all of it: "slack" in "com.tinyspeck.slackmacgap", never
    // "craft" in "minecraft".
    bool beginsAWordWith(std::string_view form) const;

private:
    bool startsAt(std::size_t start, std::string_view form) const;

    std::string key_;
    std::vector<std::size_t> boundaries_; // offsets into the key where a word starts or ends, ascending
};

} // namespace zn
