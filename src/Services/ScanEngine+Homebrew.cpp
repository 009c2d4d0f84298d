#include "Services/ScanEngine.h"

namespace zn {

// Not built yet: the category offers nothing until its scanner is written (see README).
CategoryResult ScanEngine::scanBrewCacheLocked() {
    return resultOf(CleaningCategory::brewCache, {});
}

} // namespace zn
