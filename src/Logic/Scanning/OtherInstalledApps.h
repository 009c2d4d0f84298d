#pragma once

#include "Logic/Scanning/AppMatcher.h"
#include "Logic/Scanning/WordedKey.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zn {

// What the other installed applications own, so that the search for one application's leftovers never
// takes another's: their bundles, entries named after one of them ("Firefox Nightly" is Firefox
// Nightly's, not Firefox's), vendor folders they share with it ("Google" beside Chrome and Drive), and
// the folders its channels share with it ("Firefox" beside Firefox Nightly).
class OtherInstalledApps {
private:
    struct Form {
        std::size_t length; // in characters
        std::string text;
        bool operator<(const Form& other) const;
        bool operator==(const Form&) const = default;
    };

public:
    // Whose an entry key is, seen from the application searched for.
    enum class Claim {
        none,   // nothing of another application: this one's if it matches
        shared, // a vendor's name that another application bears too: never whole, only this one's inside
        theirs, // named after another application at least as closely as after this one: never touched
    };

    // An installed release of the searched application: its whole name followed only by release words and
    // versions, "Firefox Nightly" of "Firefox", "Google Chrome Canary" of "Google Chrome". Another word makes
    // another product ("Proton Mail Bridge", "Unity Hub"), and a version alone a numbered sibling
    // ("1Password 7").
    class Channel {
    public:
        explicit Channel(const AppSearchInfo& app);
        // Its name, or its bundle's, is `name` (normalised) followed by at least one release word.
        bool isReleaseOf(const std::string& name) const;
        // A folder named `key` may hold the channel's data too: its name holds the key as whole words
        // ("firefox" for Firefox Nightly, "chrome" for Google Chrome Canary).
        bool sharesName(std::string_view key) const;
        // The length in characters of the longest of the channel's names and identifiers in `key`.
        std::size_t longestFormIn(std::string_view key) const;

    private:
        std::vector<WordedKey> names_; // its name and its bundle's file name, without a version number
        std::vector<Form> forms_;
    };

    // `apps` may hold the searched application `own` too, known by its bundle: it is left out.
    OtherInstalledApps(const std::vector<AppSearchInfo>& apps, const AppSearchInfo& own);

    // `path` is another application's bundle or lies inside one.
    bool isInBundle(const std::string& path) const;
    // `path` is a folder that holds another application's bundle.
    bool holdsBundle(const std::string& path) const;
    // Another copy of the searched application (the same identifier) stays installed: everything but the
    // bundle being removed is that copy's too.
    bool sameApplicationStays() const { return sameApplicationStays_; }
    // `ownLongest` is the length of the longest form of the searched application that the entry holds (0
    // when it holds none). Ties go to the application that stays, unless the entry carries the searched
    // application's identifier, or its vendor and name, as whole words, or is named exactly as the searched
    // application where the other's name ties only without its version ("Studio" beside "Studio 5"). A form
    // shorter than the usual matching length counts only for keys that this application matches too, or
    // when it is the whole key: a two-letter name occurs inside most names. A vendor word counts only as
    // whole words of the entry's name; when it is the searched application's own name, only where the entry
    // writes it as one word and the name as several ("protonmail" beside Proton Mail Bridge, never
    // "Proton Mail").
    Claim claim(const WordedKey& entry, std::size_t ownLongest) const;
    // Inside a folder of the searched application's own, an entry is another's only when named as it (its
    // name, or its whole identifier), never for a word of its name ("Local Storage" in Slack's folder is not
    // Local's) nor for a component of its identifier ("settings.json" is not the "…Settings" application's),
    // and after it more closely than `closeness`, the length of the longest form of the searched application
    // in the entry or folder.
    bool namesAnother(const std::string& key, std::size_t closeness) const;
    // The installed channels of the searched application.
    const std::vector<Channel>& channels() const { return channels_; }

private:
    // `key` is one of `forms` at least as long as `least`, or holds one that long where `occursIn` finds
    // it (one of the usual matching length when `least` is 0).
    template <typename Occurs>
    static bool namedBy(const std::vector<Form>& forms, const std::string& key, std::size_t least,
                        Occurs occursIn);
    // The entry carries the searched application's identifier, or its vendor and name components.
    bool carriesOwnIdentity(const WordedKey& entry) const;

    // Each bundle as written and with its links resolved.
    std::vector<std::string> bundles_;
    // Names, identifiers and their parts that name one application; longest first.
    std::vector<Form> identityForms_;
    // Forms that count only as the whole key: the identifier's last component ("drivefs").
    std::unordered_set<std::string> wholeKeyForms_;
    // The names and whole identifiers, which an entry named as that application equals.
    std::unordered_set<std::string> wholeNames_;
    // Every form but a name without its version or its letters only: what ties with the searched
    // application's exact name by more than a version.
    std::unordered_set<std::string> exactForms_;
    // The vendors of the identifiers, which a family of applications shares; longest first.
    std::vector<Form> vendorForms_;
    // Vendors that are the searched application's own name, written in several words: they count only
    // where an entry writes them as one word.
    std::vector<Form> ownNameVendorForms_;
    std::vector<Channel> channels_;
    // The searched application's identifier, and its vendor and name components, normalised; empty when
    // the identifier has too few components.
    std::string ownIdentifier_, ownVendor_, ownProduct_;
    // The searched application's name, normalised.
    std::string ownName_;
    bool sameApplicationStays_ = false;
};

} // namespace zn
