#pragma once

#include "Logic/Removal/PrivilegedRemovalRecords.h"
#include "Platform/core/AdminRunner.h"

#include <functional>
#include <string>
#include <vector>

namespace zn {

// The shell command of the AppleScript form: "rm -rf -- " and each path in single quotes (a single quote
// inside written as '"'"'), separated by blanks.
std::string leftoverRemovalShellCommand(const std::vector<std::string>& paths);
// do shell script "<the command, backslashes doubled, double quotes escaped>" with administrator privileges
AdminCommand leftoverRemovalAdminCommand(const std::vector<std::string>& paths);

// One administrator-authorised removal of all `paths`, each as its check gave it, after the system's
// password dialog; blocking. Nothing runs for an empty list or when `mayGoToAdministrator` refuses any
// path. What it removed and kept, as runAdministratorPass reads it.
PrivilegedRemovalReport
removeLeftoversWithAdminPrivileges(const std::vector<std::string>& paths, AdminRunner& runner,
                                   const std::function<bool(const std::string&)>& mayGoToAdministrator);

} // namespace zn
