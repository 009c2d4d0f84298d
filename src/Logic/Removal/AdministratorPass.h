#pragma once

#include "Logic/Removal/PrivilegedRemovalRecords.h"
#include "Platform/core/AdminRunner.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zn {

// How one administrator pass ended and, place by place, what it removed and what it kept for other people.
struct AdministratorPassResult {
    AdminRunOutcome::Status status = AdminRunOutcome::Status::failed;
    std::string errorText;
    PrivilegedRemovalReport report;
};

// One administrator pass over `records`, each a place in its checked form, in the runner's form: the
// program form's report says what went; after the AppleScript form (`runAppleScript`; none when nothing
// ran) a place counts as removed when nothing is left at it and its path still names what it named. A
// cancelled pass removed nothing.
std::optional<AdministratorPassResult>
runAdministratorPass(AdminRunner& runner, const std::vector<PrivilegedRemovalRecord>& records,
                     const std::function<std::optional<AdminRunOutcome>()>& runAppleScript);

} // namespace zn
