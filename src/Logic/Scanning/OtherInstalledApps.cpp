#include "Logic/Scanning/OtherInstalledApps.h"

#include "Logic/Scanning/StringNormalization.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

#include <algorithm>

namespace zn {

bool OtherInstalledApps::Form::operator<(const Form& other) const {
    return length != other.length ? length > other.length : text < other.text;
}

OtherInstalledApps::OtherInstalledApps(const std::vector<AppSearchInfo>& apps, const AppSearchInfo& own,
                                       const std::vector<AppCondition>& conditions) {
    const std::string ownWritten = PathText::standardizingPath(own.path, "");
    const std::string ownResolved = resolvingSymlinksInPath(own.path);
    auto add = [](std::vector<Form>& forms, const std::string& form) {
        if (!form.empty())
            forms.push_back({characterCount(form), form});
    };
    for (const AppSearchInfo& app : apps) {
        const std::string written = PathText::standardizingPath(app.path, "");
        const std::string resolved = resolvingSymlinksInPath(app.path);
        if (app.path.empty() || written == ownWritten || resolved == ownResolved)
            continue;
        bundles_.push_back(written);
        if (resolved != written)
            bundles_.push_back(resolved);
        if (!app.bundleIdentifier.empty() && app.bundleIdentifier == own.bundleIdentifier)
            sameApplicationStays_ = true;

        const AppNameForms names(app);
        for (const std::string* form :
             {&names.normalizedBundleID, &names.bundleLastTwo, &names.normalizedAppName,
              &names.appNameLettersOnly, &names.pathComponentName})
            add(identityForms_, *form);
        add(identityForms_, names.strippedAppName.value_or(""));

        const auto components = componentsSeparatedByDots(app.bundleIdentifier);
        const std::string last = normalizedForMatching(components.back());
        if (!last.empty())
            wholeKeyForms_.push_back(last);
        if (components.size() >= 3)
            add(vendorForms_, normalizedForMatching(components[1]));
        const AppMatcher matcher(app, MatchSensitivity::enhanced, conditions);
        for (const AppCondition& row : matcher.selectedConditions())
            for (const std::string& term : row.includeTerms)
                add(vendorForms_, term);
    }
    for (std::vector<Form>* forms : {&identityForms_, &vendorForms_}) {
        std::sort(forms->begin(), forms->end());
        forms->erase(std::unique(forms->begin(), forms->end()), forms->end());
    }
}

bool OtherInstalledApps::isInBundle(const std::string& path) const {
    return std::any_of(bundles_.begin(), bundles_.end(),
                       [&](const std::string& bundle) { return PathText::isSameOrInside(path, bundle); });
}

bool OtherInstalledApps::holdsBundle(const std::string& path) const {
    return std::any_of(bundles_.begin(), bundles_.end(),
                       [&](const std::string& bundle) { return PathText::isStrictlyInside(bundle, path); });
}

bool OtherInstalledApps::namedBy(const std::vector<Form>& forms, std::string_view key,
                                 std::size_t ownLongest) {
    const std::size_t threshold = ownLongest > 0 ? ownLongest : kMinimumFormLength;
    for (const Form& form : forms) {
        if (form.length < ownLongest)
            break; // longest first: no form left is long enough
        if (key == form.text || (form.length >= threshold && key.find(form.text) != std::string_view::npos))
            return true;
    }
    return false;
}

OtherInstalledApps::Claim OtherInstalledApps::claim(std::string_view key, std::size_t ownLongest) const {
    if (namedBy(identityForms_, key, ownLongest) ||
        std::find(wholeKeyForms_.begin(), wholeKeyForms_.end(), key) != wholeKeyForms_.end())
        return Claim::theirs;
    return namedBy(vendorForms_, key, ownLongest) ? Claim::shared : Claim::none;
}

} // namespace zn
