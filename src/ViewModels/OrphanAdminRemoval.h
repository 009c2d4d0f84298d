#pragma once

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
// password dialog; blocking. True at once for an empty list. False, with nothing run, when
// `mayGoToAdministrator` refuses any path; false when the dialog was dismissed or the removal could not
// run. Where there is no osascript this program itself removes them as administrator, as written, judging
// every path again by the leftover rules; the paths travel as data, never through a shell. Whether each
// path is gone is the caller's to check.
bool removeLeftoversWithAdminPrivileges(const std::vector<std::string>& paths, AdminRunner& runner,
                                        const std::function<bool(const std::string&)>& mayGoToAdministrator);

} // namespace zn
