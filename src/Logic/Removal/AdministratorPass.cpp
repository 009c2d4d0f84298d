#include "Logic/Removal/AdministratorPass.h"

#include "Platform/core/FileSystem.h"
#include "Platform/core/PathResolution.h"

namespace zn {

namespace {

// Anything still at the path (somethingRemainsAt) counts as not removed, and so does a path that leads
// elsewhere now (a folder on it became a link): that the new place is empty says nothing about the old one.
bool notGoneFrom(const std::string& path) {
    return resolvedPathIfResolvable(path) != path || somethingRemainsAt(path);
}

} // namespace

std::optional<AdministratorPassResult>
runAdministratorPass(AdminRunner& runner, const std::vector<PrivilegedRemovalRecord>& records,
                     const std::function<std::optional<AdminRunOutcome>()>& runAppleScript) {
    if (runner.form() == AdminRunner::Form::privilegedProgram) {
        const AdminRunOutcome outcome = runner.runPrivilegedRemoval(encodePrivilegedRemovalRecords(records));
        return AdministratorPassResult{outcome.status, outcome.errorText,
                                       decodePrivilegedRemovalReport(outcome.report)};
    }
    const auto outcome = runAppleScript();
    if (!outcome)
        return std::nullopt;
    AdministratorPassResult result{outcome->status, outcome->errorText, {}};
    // Judged place by place whatever the outcome: a pass that failed half way removed what it removed.
    if (outcome->status != AdminRunOutcome::Status::cancelled)
        for (const PrivilegedRemovalRecord& record : records)
            if (!notGoneFrom(record.path))
                result.report.removed.insert(record.path);
    return result;
}

} // namespace zn
