#include "Logic/Removal/RemovalPathRules.h"

#include "Logic/Scanning/SkipTables.h"
#include "Platform/core/BundleFolder.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

namespace zn {

RemovalPathRules::RemovalPathRules(std::string home, std::string systemRoot,
                                   const RunningProgramPlaces& runningProgram)
    : home_(std::move(home)), administratorFolders_(home_, systemRoot), protectedPlaces_(home_, runningProgram) {
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
    return administratorFolders_.folderAdmitting(resolvingSymlinksInPath(path)).has_value();
}

bool RemovalPathRules::mayBeMachineApplicationBundle(const std::string& path) const {
    const std::string& applications = administratorFolders_.machineApplications();
    return PathText::isStrictlyInside(path, applications) &&
           hasApplicationBundleName(PathText::lastPathComponent(path)) &&
           !AdministratorPassFolders::hasAppBundleComponent(PathText::deletingLastPathComponent(path),
                                                            applications);
}

} // namespace zn
