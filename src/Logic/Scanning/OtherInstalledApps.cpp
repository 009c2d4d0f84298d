#include "Logic/Scanning/OtherInstalledApps.h"

#include "Logic/Scanning/StringNormalization.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

#include <algorithm>
#include <functional>

namespace zn {

OtherInstalledApps::OtherInstalledApps(const std::vector<AppSearchInfo>& apps, const std::string& ownBundle) {
    const std::string ownWritten = PathText::standardizingPath(ownBundle, "");
    const std::string ownResolved = resolvingSymlinksInPath(ownBundle);
    for (const AppSearchInfo& app : apps) {
        const std::string written = PathText::standardizingPath(app.path, "");
        const std::string resolved = resolvingSymlinksInPath(app.path);
        if (app.path.empty() || written == ownWritten || resolved == ownResolved)
            continue;
        bundles_.push_back(written);
        if (resolved != written)
            bundles_.push_back(resolved);

        const AppNameForms names(app);
        for (const std::string* form : {&names.normalizedBundleID, &names.normalizedAppName,
                                        &names.appNameLettersOnly, &names.pathComponentName}) {
            const std::size_t length = characterCount(*form);
            if (length >= kMinimumFormLength)
                forms_.emplace_back(length, *form);
        }
    }
    std::sort(forms_.begin(), forms_.end(), std::greater<>());
    forms_.erase(std::unique(forms_.begin(), forms_.end()), forms_.end());
}

bool OtherInstalledApps::touchesBundle(const std::string& path) const {
    return std::any_of(bundles_.begin(), bundles_.end(), [&](const std::string& bundle) {
        return PathText::isSameOrInside(path, bundle) || PathText::isStrictlyInside(bundle, path);
    });
}

bool OtherInstalledApps::claim(std::string_view key, std::size_t ownLongest) const {
    for (const auto& [length, form] : forms_) {
        if (length <= ownLongest)
            return false; // longest first: no longer form is left
        if (key.find(form) != std::string_view::npos)
            return true;
    }
    return false;
}

} // namespace zn
