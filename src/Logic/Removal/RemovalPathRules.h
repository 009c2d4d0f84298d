#pragma once

#include "Logic/Removal/AdministratorPassFolders.h"
#include "Logic/Removal/ProtectedPlaces.h"

#include <string>
#include <vector>

namespace zn {

// The uninstaller's path rules: which selected files it refuses to touch at all (credential stores, tool
// settings, shell histories, protected places), and which files the Trash pass could not move for lack of
// permission are worth the administrator pass. Both resolve symbolic links first. Any thread may ask;
// build them afresh for each removal, since they take the high-risk paths' links as they are then.
class RemovalPathRules {
public:
    // `home` with its links resolved; `systemRoot` is prefixed to the system folders ("" for the real ones).
    explicit RemovalPathRules(std::string home, std::string systemRoot = "",
                              const RunningProgramPlaces& runningProgram = currentRunningProgramPlaces());

    // True when the path, links resolved, is one of the high-risk home dot paths or lies inside one, or
    // holds one (the home folder itself, say). The high-risk paths count both as written and resolved.
    // The home, the working directory and the program's folder, and every folder holding one, count too.
    bool isHighRisk(const std::string& path) const;
    // The path, links resolved, lies where the administrator pass is worth it (AdministratorPassFolders).
    bool isLikelyAdministratorRemovalPath(const std::string& path) const;
    // Named as an application bundle of the machine's applications folder, as written: its own name is the
    // first on its way below that folder to end in ".app". Whether it is one, the Trash judges as it moves.
    bool mayBeMachineApplicationBundle(const std::string& path) const;

private:
    std::string home_;
    AdministratorPassFolders administratorFolders_;
    std::vector<std::string> highRiskForms_; // each high-risk path as written and with its links resolved
    ProtectedPlaces protectedPlaces_;
};

} // namespace zn
