#include "Services/TemporaryEntryRule.h"

#include <chrono>

namespace zn {

namespace {

// Both times known and neither after `newestAllowed`.
bool unchangedSince(const std::optional<Date>& modified, const std::optional<Date>& statusChanged,
                    Date newestAllowed) {
    return modified && statusChanged && *modified <= newestAllowed && *statusChanged <= newestAllowed;
}

} // namespace

bool hasRestedForADay(const FileSystem& files, const std::string& path, uid_t owner, Date now) {
    const Date newestAllowed = now - std::chrono::hours(24);
    const AttributesReading own = files.attributesOfItem(path);
    if (!own.attributes || own.attributes->owner != owner || own.attributes->type == FileType::socket ||
        !unchangedSince(own.attributes->modificationDate, own.attributes->statusChangeDate, newestAllowed))
        return false;
    if (own.attributes->type != FileType::directory)
        return true;
    const DirectoryWalk walk = files.walkDirectory(path);
    return walk.complete && walk.owners == std::set<uid_t>{owner} && !walk.holdsSocket &&
           unchangedSince(walk.newestModification, walk.newestStatusChange, newestAllowed);
}

} // namespace zn
