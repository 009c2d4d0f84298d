#pragma once

#include "Services/ScanEngine.h"

#include <cstdint>
#include <string>

namespace zn {

// One fixed candidate file or folder; it becomes an item only when it exists and its size reaches
// `minimumSize` (see ScanEngine::scanCleanupTargets).
struct ScanEngine::CleanupTarget {
    std::string name;       // the label the item will carry
    std::string path;       // absolute, taken into the item as it is
    bool isSelected = true; // the item's default selection
    std::int64_t minimumSize = 0;
};

} // namespace zn
