#pragma once

#include "Models/CleanableItem.h"
#include "Services/CleaningEngine.h"
#include "ViewModels/CleanOutcome.h"
#include "ViewModels/CleaningService.h"

#include <functional>
#include <string>
#include <vector>

namespace zn {

struct CleanPassOutcome {
    CleaningResult result; // the engine's pass merged with the administrator pass, when there was one
    std::vector<CleanableItem> survivors; // the items still there, in list order (see survivingItems)
    PathLookup deletedPaths;              // the result's removed paths, for pruning the stored results
};

// One clean, run off the main thread: the engine's pass, then the administrator pass for what it deferred,
// then a look at which of the remaining paths are gone; what is worked out of a long list is worked out
// here too, not on the main thread.
CleanPassOutcome runCleanPass(CleaningService& cleaner, const std::vector<CleanableItem>& items,
                              const std::function<void(double)>& progress, PathReading reading);

} // namespace zn
