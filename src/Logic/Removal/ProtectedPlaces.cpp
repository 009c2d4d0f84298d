#include "Logic/Removal/ProtectedPlaces.h"

#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"
#include "Platform/core/WindowModule.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {

namespace {

std::string workingDirectory() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool isSymbolicLink(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

} // namespace

RunningProgramPlaces currentRunningProgramPlaces() {
    return {workingDirectory(), runningProgramFolder()};
}

ProtectedPlaces::ProtectedPlaces(const std::string& home, const RunningProgramPlaces& program) {
    for (const std::string* place : {&home, &program.workingDirectory, &program.programFolder}) {
        if (place->empty() || place->front() != '/')
            continue;
        places_.push_back(resolvingSymlinksInPath(*place));
        for (std::string folder = places_.back(); folder.size() > 1;
             folder = PathText::deletingLastPathComponent(folder))
            names_.insert(PathText::lastPathComponent(folder));
    }
}

bool ProtectedPlaces::isOrHoldsOne(const std::string& resolvedPath) const {
    for (const std::string& place : places_)
        if (PathText::isSameOrInside(place, resolvedPath))
            return true;
    return false;
}

bool ProtectedPlaces::mayLeadToOne(const std::string& path) const {
    if (path.empty() || path.front() != '/')
        return false;
    const std::string standardized = PathText::standardizingPath(path, "");
    if (standardized == path && !names_.contains(PathText::lastPathComponent(path)) && !isSymbolicLink(path))
        return false;
    const auto resolved = resolvedPathIfResolvable(path);
    return !resolved || isOrHoldsOne(*resolved);
}

} // namespace zn
