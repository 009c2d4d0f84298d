#include "Services/ScanEngine+CleanupTargets.h"

#include <algorithm>

namespace zn {

CategoryResult ScanEngine::scanCleanupTargets(const std::vector<CleanupTarget>& targets,
                                              CleaningCategory category) {
    std::lock_guard lock(mutex_);
    return scanCleanupTargetsLocked(targets, category);
}

CategoryResult ScanEngine::scanCleanupTargetsLocked(const std::vector<CleanupTarget>& targets,
                                                    CleaningCategory category) const {
    // Targets are measured side by side; the items keep the targets' order until the sort.
    std::vector<CleanableItem> items =
        deduplicatedItemsLocked(presentItems(workers().inIndexOrder<std::optional<CleanableItem>>(
            targets.size(), [&](std::size_t index) { return keptCleanupItem(targets[index], category); })));
    std::stable_sort(items.begin(), items.end(),
                     [](const CleanableItem& a, const CleanableItem& b) { return a.size > b.size; });
    return resultOf(category, std::move(items));
}

std::optional<CleanableItem> ScanEngine::keptCleanupItem(const CleanupTarget& target,
                                                         CleaningCategory category) const {
    const FileSystem& files = fileSystem();
    FileExistence existence = files.fileExists(target.path);
    if (!existence.exists)
        return std::nullopt;
    AttributesReading own = files.attributesOfItem(target.path);
    // A link is not the application's own file: its size would be the length of its target's name, and
    // cleaning it would reach wherever it points.
    if (own.attributes && own.attributes->type == FileType::symbolicLink)
        return std::nullopt;

    std::int64_t size = 0;
    std::optional<Date> lastModified;
    if (existence.isDirectory) {
        size = directorySizeLocked(target.path);
    } else if (own.attributes) {
        // Unreadable attributes leave a file at size 0, which a target without a minimum still offers.
        size = own.attributes->size;
    }
    if (size < target.minimumSize)
        return std::nullopt;
    if (own.attributes)
        lastModified = own.attributes->modificationDate;
    return CleanableItem{Uuid::random(), target.name,       target.path, size,
                         category,       target.isSelected, lastModified};
}

} // namespace zn
