#include "Services/TemporaryEntryRule.h"

#include <chrono>

namespace zn {

bool hasRestedForADay(const FileSystem& files, const std::string& path, uid_t owner, Date now) {
    const Date newestAllowed = now - std::chrono::hours(24);
    const AttributesReading own = files.attributesOfItem(path);
    if (!own.attributes || own.attributes->owner != owner || !own.attributes->modificationDate ||
        *own.attributes->modificationDate > newestAllowed)
        return false;
    if (own.attributes->type != FileType::directory)
        return true;
    const DirectoryWalk walk = files.walkDirectory(path);
    return walk.complete && walk.newestModification && *walk.newestModification <= newestAllowed;
}

} // namespace zn
