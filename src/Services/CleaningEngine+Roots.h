#pragma once

#include <string>
#include <vector>

namespace zn {

// A place the cleaning engine may remove from.
struct CleaningRoot {
    std::string path;
    bool removableAsWhole; // the ordinary pass may remove the root folder itself
};

// The allowed roots in the order the cleaning rule tests them: nineteen below `home`, then seven system
// folders. A home that is not an absolute folder other than "/" contributes none (it would turn the home
// roots into system folders).
std::vector<CleaningRoot> cleaningAllowedRoots(const std::string& home);

} // namespace zn
