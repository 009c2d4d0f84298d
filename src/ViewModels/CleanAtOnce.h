#pragma once

#include "Models/CleaningCategory.h"

namespace zn {

// The categories whose default selection is cleaned without a review first.
constexpr bool isCleanedAtOnce(CleaningCategory category) {
    using enum CleaningCategory;
    return category == smartScan || category == systemJunk || category == userCache ||
           category == privacySweep || category == purgeableSpace;
}

} // namespace zn
