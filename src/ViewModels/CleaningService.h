#pragma once

#include "Models/CleanableItem.h"
#include "Services/CleaningEngine.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace zn {

// What the application state asks of the cleaning engine. Calls block and are made off the main thread.
class CleaningService {
public:
    virtual ~CleaningService() = default;

    // `progress` may be called from any thread, once per item, before that item is handled. `reading` says
    // whether the items' paths may be followed through links or must be taken as checked.
    virtual CleaningResult cleanItems(const std::vector<CleanableItem>& items,
                                      const std::function<void(double)>& progress, PathReading reading) = 0;
    virtual CleaningResult cleanWithAdminPrivileges(const std::vector<CleanableItem>& items,
                                                    PathReading reading) = 0;
    // The bytes of free space that releasing purgeable space gained.
    virtual std::int64_t purgePurgeableSpace() = 0;
};

} // namespace zn
