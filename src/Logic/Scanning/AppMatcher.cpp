#include "Logic/Scanning/AppMatcher.h"

#include "Logic/Scanning/StringNormalization.h"
#include "Platform/core/PathText.h"

namespace zn {

namespace {

std::optional<std::string> longEnough(const std::string& form) {
    if (characterCount(form) >= kMinimumFormLength)
        return form;
    return std::nullopt;
}

std::optional<std::string> longEnough(const std::optional<std::string>& form) {
    return form ? longEnough(*form) : std::nullopt;
}

bool contains(std::string_view key, const std::optional<std::string>& form) {
    return form && key.find(*form) != std::string_view::npos;
}

bool containsAny(std::string_view key, const std::vector<std::string>& terms) {
    for (const std::string& term : terms)
        if (key.find(term) != std::string_view::npos)
            return true;
    return false;
}

} // namespace

std::string bundleFileName(std::string_view bundlePath) {
    std::string name = PathText::lastPathComponent(bundlePath);
    for (std::size_t at = name.find(".app"); at != std::string::npos; at = name.find(".app", at))
        name.erase(at, 4);
    return name;
}

std::string_view entryStem(std::string_view name, bool isDirectory) {
    constexpr std::string_view kLocalized = ".localized";
    if (name.ends_with(kLocalized))
        return name.substr(0, name.size() - kLocalized.size());
    if (isDirectory)
        return name;
    const std::string extension = PathText::pathExtension(name);
    if (extension.empty())
        return name;
    return name.substr(0, name.size() - extension.size() - 1);
}

WordedKey entryWords(std::string_view name, bool isDirectory) {
    return WordedKey(entryStem(name, isDirectory));
}

AppNameForms::AppNameForms(const AppSearchInfo& app)
    : normalizedBundleID(normalizedForMatching(app.bundleIdentifier)),
      bundleLastTwo(bundleLastTwoComponents(app.bundleIdentifier)),
      normalizedAppName(normalizedForMatching(app.appName)), appNameLettersOnly(lettersOnly(app.appName)),
      pathComponentName(normalizedForMatching(bundleFileName(app.path))),
      companyName(bundleCompanyName(app.bundleIdentifier)) {
    if (auto base = baseBundleIdentifier(app.bundleIdentifier))
        baseBundleID = normalizedForMatching(*base);
    std::string stripped = normalizedForMatching(strippingTrailingVersion(app.appName));
    if (!stripped.empty() && stripped != normalizedAppName)
        strippedAppName = std::move(stripped);
    for (const std::string& entitlement : app.entitlements.value_or(std::vector<std::string>{})) {
        std::string normalized = normalizedForMatching(entitlement);
        if (!normalized.empty())
            normalizedEntitlements.push_back(std::move(normalized));
    }
    if (app.teamIdentifier)
        normalizedTeamID = normalizedForMatching(*app.teamIdentifier);
}

AppMatcher::AppMatcher(const AppSearchInfo& app, MatchSensitivity sensitivity,
                       const std::vector<AppCondition>& conditions)
    : forms_(app), sensitivity_(sensitivity), name_(longEnough(forms_.normalizedAppName)),
      pathName_(longEnough(forms_.pathComponentName)), bundleID_(longEnough(forms_.normalizedBundleID)),
      letters_(longEnough(forms_.appNameLettersOnly)), lastTwo_(longEnough(forms_.bundleLastTwo)),
      base_(longEnough(forms_.baseBundleID)), stripped_(longEnough(forms_.strippedAppName)),
      company_(longEnough(forms_.companyName)), team_(longEnough(forms_.normalizedTeamID)) {
    for (const AppCondition& row : conditions)
        if (!row.bundleID.empty() && row.bundleID == forms_.normalizedBundleID)
            selected_.push_back(row);

    auto reach = [&](const std::optional<std::string>& form, bool isName) {
        if (form)
            reach_.push_back({characterCount(*form), *form, isName});
    };
    for (const std::string& entitlement : forms_.normalizedEntitlements)
        reach(entitlement, false);
    for (const auto* form : {&name_, &pathName_, &letters_})
        reach(*form, true);
    reach(bundleID_, false);
    if (sensitivity_ != MatchSensitivity::strict) {
        reach(lastTwo_, false);
        reach(base_, false);
        reach(stripped_, true);
    }
    if (sensitivity_ == MatchSensitivity::deep)
        for (const auto* form : {&company_, &team_})
            reach(*form, false);
}

std::size_t AppMatcher::longestFormIn(const WordedKey& entry) const {
    const std::string& key = entry.key();
    std::size_t longest = 0;
    for (const Reach& reach : reach_)
        if (reach.length > longest && key.find(reach.form) != std::string::npos &&
            (!reach.isName || entry.beginsAWordWith(reach.form)))
            longest = reach.length;
    return longest;
}

bool AppMatcher::matches(const WordedKey& entry) const {
    const std::string& key = entry.key();
    const bool strict = sensitivity_ == MatchSensitivity::strict;
    // The words are looked at only once the letters are there: most entries hold no name at all.
    auto nameTest = [&](const std::optional<std::string>& form) {
        return form &&
               (strict ? key == *form : key.find(*form) != std::string::npos && entry.beginsAWordWith(*form));
    };

    for (const AppCondition& row : selected_) {
        if (containsAny(key, row.excludeTerms))
            return false;
        if (containsAny(key, row.includeTerms))
            return true;
    }
    for (const std::string& entitlement : forms_.normalizedEntitlements)
        if (strict ? key == entitlement : key.find(entitlement) != std::string_view::npos)
            return true;
    if (nameTest(name_) || nameTest(pathName_) || contains(key, bundleID_) || nameTest(letters_))
        return true;
    if (strict)
        return false;
    if (contains(key, lastTwo_) || contains(key, base_) || nameTest(stripped_))
        return true;
    if (sensitivity_ == MatchSensitivity::enhanced)
        return false;
    return contains(key, company_) || contains(key, team_);
}

} // namespace zn
