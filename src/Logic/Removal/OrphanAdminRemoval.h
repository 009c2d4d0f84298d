#pragma once

#include "Platform/core/AdminRunner.h"
#include "Logic/Removal/PrivilegedRemovalRecords.h"

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
// password dialog; blocking. Nothing to do for an empty list. Nothing is run when `mayGoToAdministrator`
// refuses any path. Where there is no osascript this program itself removes them as administrator, as
// written, judging every path again by the leftover rules and keeping every entry of another person; the
// paths travel as data, never through a shell, and its report says what it removed and kept. The
// AppleScript form reports nothing: after it ran, a path counts as removed when nothing is left at it.
PrivilegedRemovalReport
removeLeftoversWithAdminPrivileges(const std::vector<std::string>& paths, AdminRunner& runner,
                                   const std::function<bool(const std::string&)>& mayGoToAdministrator);

} // namespace zn
