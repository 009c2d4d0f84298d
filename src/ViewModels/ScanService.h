#pragma once

#include "Models/CleanableItem.h"
#include "Models/CleaningCategory.h"
#include "Models/DiskInfo.h"

namespace zn {

// What the application state asks of the scan engine. Calls block and are made off the main thread.
class ScanService {
public:
    virtual ~ScanService() = default;

    virtual CategoryResult scanCategory(CleaningCategory category) = 0;
    virtual DiskInfo getDiskInfo() = 0;
};

} // namespace zn
