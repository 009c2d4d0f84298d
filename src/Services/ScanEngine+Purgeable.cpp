#include "Services/ScanEngine.h"

namespace zn {

CategoryResult ScanEngine::scanPurgeableSpaceLocked() {
    std::vector<CleanableItem> items;
    const std::int64_t purgeable = getDiskInfoLocked().purgeableSpace;
    if (purgeable > 0) {
        items.push_back({Uuid::random(), "Mac-managed space", options_.startupVolume, purgeable,
                         CleaningCategory::purgeableSpace, true, std::nullopt});
    }
    for (const SnapshotInfo& snapshot : getLocalSnapshots()) {
        // A snapshot is shown for review and starts unselected.
        items.push_back({Uuid::random(), "Time Machine snapshot: " + snapshot.name, snapshot.name,
                         snapshot.size, CleaningCategory::purgeableSpace, false, snapshot.date});
    }
    // Snapshot sizes are shown on their items but the category offers only the purgeable space.
    return CategoryResult{Uuid::random(), CleaningCategory::purgeableSpace, std::move(items), purgeable};
}

} // namespace zn
