#pragma once

#include "Models/CleanableItem.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace zn {

// What one pass of the cleaning engine did.
struct CleaningResult {
    std::int64_t freedSpace = 0;
    int deletedCount = 0;
    std::vector<std::string> errors;
    std::set<std::string> deletedPaths;         // as the items carried them
    std::vector<CleanableItem> deferredToAdmin; // permission failures, for the administrator pass
};

} // namespace zn
