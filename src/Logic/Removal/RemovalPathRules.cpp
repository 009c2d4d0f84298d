#include "Logic/Removal/RemovalPathRules.h"

#include "Logic/Scanning/SkipTables.h"
#include "Logic/Scanning/StringNormalization.h"
#include "Platform/core/BundleFolder.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

namespace zn {

namespace {

std::string standardized(std::string_view path) {
    return PathText::standardizingPath(path, "");
}

} // namespace

RemovalPathRules::RemovalPathRules(std::string home, std::string systemRoot,
                                   const RunningProgramPlaces& runningProgram)
    : home_(std::move(home)), systemRoot_(std::move(systemRoot)), protectedPlaces_(home_, runningProgram) {
    for (const std::string& risky : makeHighRiskHomeDotPaths(home_)) {
        highRiskForms_.push_back(risky);
        // A credential folder may itself be a link to elsewhere; what it leads to is just as protected.
        std::string resolved = resolvingSymlinksInPath(risky);
        if (resolved != risky)
            highRiskForms_.push_back(std::move(resolved));
    }
}

bool RemovalPathRules::isHighRisk(const std::string& path) const {
    const std::string resolved = resolvingSymlinksInPath(path);
    for (const std::string& form : highRiskForms_)
        if (PathText::isSameOrInside(resolved, form) || PathText::isStrictlyInside(form, resolved))
            return true;
    return protectedPlaces_.isOrHoldsOne(resolved);
}

bool RemovalPathRules::isLikelyAdministratorRemovalPath(const std::string& path) const {
    const std::string p = resolvingSymlinksInPath(path);
    const std::set<std::string> receiptExtensions{"plist", "bom"};
    const std::set<std::string> launchItemExtensions{"plist"};
    return hasAppBundleComponent(p, systemRoot_ + "/Applications") ||
           hasAppBundleComponent(p, home_ + "/Applications") ||
           isDirectFile(p, systemRoot_ + "/private/var/db/receipts", receiptExtensions) ||
           isDirectFile(p, systemRoot_ + "/var/db/receipts", receiptExtensions) ||
           isDirectFile(p, systemRoot_ + "/Library/LaunchDaemons", launchItemExtensions) ||
           isDirectFile(p, systemRoot_ + "/Library/LaunchAgents", launchItemExtensions);
}

bool RemovalPathRules::mayBeMachineApplicationBundle(const std::string& path) const {
    const std::string applications = standardized(systemRoot_ + "/Applications");
    return PathText::isStrictlyInside(path, applications) &&
           hasApplicationBundleName(PathText::lastPathComponent(path)) &&
           !hasAppBundleComponent(PathText::deletingLastPathComponent(path), applications);
}

bool RemovalPathRules::hasAppBundleComponent(std::string_view path, std::string_view root) {
    std::string base = standardized(root);
    if (path == base)
        return false;
    if (!base.ends_with('/'))
        base += '/';
    if (!path.starts_with(base))
        return false;
    std::string_view rest = path.substr(base.size());
    while (!rest.empty()) {
        auto slash = rest.find('/');
        std::string_view piece = rest.substr(0, slash);
        if (!piece.empty() && lowercased(piece).ends_with(".app"))
            return true;
        if (slash == std::string_view::npos)
            break;
        rest.remove_prefix(slash + 1);
    }
    return false;
}

bool RemovalPathRules::isDirectFile(std::string_view path, std::string_view directory,
                                    const std::set<std::string>& extensions) {
    return standardized(PathText::deletingLastPathComponent(path)) == standardized(directory) &&
           extensions.contains(lowercased(PathText::pathExtension(path)));
}

} // namespace zn
