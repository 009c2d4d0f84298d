#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace zn {

// Where the running program stands. An empty member is unknown and protects nothing.
struct RunningProgramPlaces {
    std::string workingDirectory;
    std::string programFolder; // the folder that holds the program's executable
};

// This process's working directory and the folder of its executable.
RunningProgramPlaces currentRunningProgramPlaces();

// The user's home, the working directory and the running program's folder: neither the scan nor either
// side of the clean lets one of them, or a folder holding one, go.
class ProtectedPlaces {
public:
    ProtectedPlaces(const std::string& home, const RunningProgramPlaces& program);

    // `resolvedPath`, whose links are resolved, is one of the places or a folder holding one.
    bool isOrHoldsOne(const std::string& resolvedPath) const;
    // The same for a path as a scan found it. Only a path that might lead to one is resolved: a link, a
    // text that is not standardised, or a name that one of the places or a folder holding one bears. One
    // whose links cannot all be resolved counts as leading to one.
    bool mayLeadToOne(const std::string& path) const;

private:
    std::vector<std::string> places_; // absolute, links resolved
    std::unordered_set<std::string> names_;
};

} // namespace zn
