#pragma once

#include "Logic/Scanning/Conditions.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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
// and the folder "com.foo.bar" share one key.
std::string_view entryStem(std::string_view name, bool isDirectory);
// The key an entry is matched by: its stem, normalised.
std::string entryKey(const std::string& name, bool isDirectory);

// Decides whether an entry key (a normalised file or folder name) belongs to one application.
class AppMatcher {
public:
    // Selects the rows of `conditions` that name this application's bundle identifier.
    AppMatcher(const AppSearchInfo& app, MatchSensitivity sensitivity,
               const std::vector<AppCondition>& conditions);

    bool matches(std::string_view key) const;
    // The length in characters of the longest form of this application's names and identifiers that can
    // match and that `key` contains (0 when none): how closely the key is named after this application.
    // Include terms do not count: a term of the conditions table takes a folder by a word, never by naming
    // this application, so it never outweighs another application's name.
    std::size_t longestFormIn(std::string_view key) const;

    const AppNameForms& forms() const { return forms_; }
    const std::vector<AppCondition>& selectedConditions() const { return selected_; }

private:
    AppNameForms forms_;
    MatchSensitivity sensitivity_;
    std::vector<AppCondition> selected_;
    // The forms that are long enough to be compared at all (5 or more characters); the others are absent.
    std::optional<std::string> name_, pathName_, bundleID_, letters_;
    std::optional<std::string> lastTwo_, base_, stripped_, company_, team_;
    // Every name form that can make a match at this sensitivity, with its length in characters.
    std::vector<std::pair<std::size_t, std::string>> reach_;
};

} // namespace zn
