#pragma once

#include "Models/CleanableItem.h"
#include "Services/CleaningEngine.h"

#include <functional>
#include <vector>

namespace zn {

// What the application state asks of the cleaning engine. Calls block and are made off the main thread.
class CleaningService {
public:
    virtual ~CleaningService() = default;

    // `progress` may be called from any thread, once per item, before that item is handled.
    virtual CleaningResult cleanItems(const std::vector<CleanableItem>& items,
                                      const std::function<void(double)>& progress) = 0;
    virtual CleaningResult cleanWithAdminPrivileges(const std::vector<CleanableItem>& items) = 0;
};

} // namespace zn
