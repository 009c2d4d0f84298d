#pragma once

#include "Logic/Scanning/Conditions.h"
#include "Logic/Scanning/WordedKey.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zn {

// The application whose leftovers are searched for.
struct AppSearchInfo {
    std::string appName;
    std::string bundleIdentifier;
    std::string path; // its bundle
    std::optional<std::vector<std::string>> entitlements;
    std::optional<std::string> teamIdentifier;
};

// Name forms shorter than this occur inside too many unrelated names to mean anything.
inline constexpr std::size_t kMinimumFormLength = 5;

// How far matching reaches, in increasing order.
enum class MatchSensitivity { strict, enhanced, deep };

// The forms of an application's names that entry keys are compared with, derived once.
struct AppNameForms {
    std::string normalizedBundleID;
    std::string bundleLastTwo; // lower-cased only, not normalised
    std::string normalizedAppName;
    std::string appNameLettersOnly;
    std::string pathComponentName; // the bundle's file name without ".app", normalised
    std::optional<std::string> companyName;
    std::optional<std::string> baseBundleID;
    std::optional<std::string> strippedAppName; // absent when empty or equal to normalizedAppName
    std::vector<std::string> normalizedEntitlements;
    std::optional<std::string> normalizedTeamID;

    explicit AppNameForms(const AppSearchInfo& app);
};

// The bundle's file name with every ".app" removed ("/Applications/Foo.app" → "Foo").
std::string bundleFileName(std::string_view bundlePath);

// The part of an entry's name its key is made of: a file's last extension goes, so "com.foo.bar.plist"
// and the folder "com.foo.bar" share one key; so does the ".localized" the system gives a localised folder
// ("User Content.localized" is "User Content"), and its marker file ".localized" keeps no name at all.
std::string_view entryStem(std::string_view name, bool isDirectory);
// The key an entry is matched by, with its words: its stem, normalised.
WordedKey entryWords(std::string_view name, bool isDirectory);

// Decides whether an entry (its normalised name, with its words) belongs to one application. The
// application's names match only where they begin a word of the entry's name ("Craft" never matches
// "minecraft"); its identifiers and the conditions table match anywhere in the key.
class AppMatcher {
public:
    // Selects the rows of `conditions` that name this application's bundle identifier.
    AppMatcher(const AppSearchInfo& app, MatchSensitivity sensitivity,
               const std::vector<AppCondition>& conditions);

    bool matches(const WordedKey& entry) const;
    // The length in characters of the longest form of this application's names and identifiers that can
    // match and that the entry holds (0 when none): how closely the entry is named after this application.
    // Include terms do not count: a term of the conditions table takes a folder by a word, never by naming
    // this application, so it never outweighs another application's name.
    std::size_t longestFormIn(const WordedKey& entry) const;

    const AppNameForms& forms() const { return forms_; }
    const std::vector<AppCondition>& selectedConditions() const { return selected_; }

private:
    AppNameForms forms_;
    MatchSensitivity sensitivity_;
    std::vector<AppCondition> selected_;
    // The forms that are long enough to be compared at all (5 or more characters); the others are absent.
    std::optional<std::string> name_, pathName_, bundleID_, letters_;
    std::optional<std::string> lastTwo_, base_, stripped_, company_, team_;
    // Every form that can make a match at this sensitivity.
    struct Reach {
        std::size_t length; // in characters
        std::string form;
        bool isName; // found only where it begins a word
    };
    std::vector<Reach> reach_;
};

} // namespace zn
