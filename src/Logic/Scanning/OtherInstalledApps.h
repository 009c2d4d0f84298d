#pragma once

#include "Logic/Scanning/AppMatcher.h"
#include "Logic/Scanning/Conditions.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zn {

// What the other installed applications own, so that the search for one application's leftovers never
// takes another's: their bundles, entries named after one of them ("Firefox Nightly" is Firefox
// Nightly's, not Firefox's), and vendor folders they share with it ("Google" beside Chrome and Drive).
class OtherInstalledApps {
public:
    // Whose an entry key is, seen from the application searched for.
    enum class Claim {
        none,   // nothing of another application: this one's if it matches
        shared, // a vendor's name that another application bears too: never whole, only this one's inside
        theirs, // named after another application at least as closely as after this one: never touched
    };

    // `apps` may hold the searched application `own` too, known by its bundle: it is left out.
    // `conditions` are the per-application rows, whose include terms name vendors and families.
    OtherInstalledApps(const std::vector<AppSearchInfo>& apps, const AppSearchInfo& own,
                       const std::vector<AppCondition>& conditions);

    // `path` is another application's bundle or lies inside one.
    bool isInBundle(const std::string& path) const;
    // `path` is a folder that holds another application's bundle.
    bool holdsBundle(const std::string& path) const;
    // Another copy of the searched application (the same identifier) stays installed: everything but the
    // bundle being removed is that copy's too.
    bool sameApplicationStays() const { return sameApplicationStays_; }
    // `ownLongest` is the length of the longest form of the searched application that `key` contains
    // (0 when it contains none). Ties go to the application that stays. A form shorter than the usual
    // matching length counts only for keys that this application matches too, or when it is the whole key:
    // a two-letter name occurs inside most names.
    Claim claim(std::string_view key, std::size_t ownLongest) const;

private:
    struct Form {
        std::size_t length; // in characters
        std::string text;
        bool operator<(const Form& other) const;
        bool operator==(const Form&) const = default;
    };
    // `key` is one of `forms`, or contains one at least as long as `ownLongest` (as the usual matching
    // length when `ownLongest` is 0).
    static bool namedBy(const std::vector<Form>& forms, std::string_view key, std::size_t ownLongest);

    // Each bundle as written and with its links resolved.
    std::vector<std::string> bundles_;
    // Names, identifiers and their parts that name one application; longest first.
    std::vector<Form> identityForms_;
    // Forms that count only as the whole key: the identifier's last component ("drivefs").
    std::vector<std::string> wholeKeyForms_;
    // Vendor names and include terms, which a family of applications shares; longest first.
    std::vector<Form> vendorForms_;
    bool sameApplicationStays_ = false;
};

} // namespace zn
