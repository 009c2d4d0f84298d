#include "Logic/Utilities/Logger.h"
#include "Platform/core/PathText.h"
#include "Services/ScanEngine.h"

namespace zn {

namespace {
// Entries of this size or less are not worth offering.
constexpr std::int64_t kListingMinimumExclusive = 1024;
} // namespace

std::vector<CleanableItem>
ScanEngine::scanDirectoryLocked(const std::string& path, CleaningCategory category,
                                const std::unordered_set<std::string>& excluding) const {
    const FileSystem& files = fileSystem();
    if (!files.fileExists(path).exists || !files.isReadable(path))
        return {};

    DirectoryListing listing = files.contentsOfDirectory(path);
    if (!listing.listed) {
        Logger::shared().log("Cannot enumerate " + path + ": " + fileErrorDescription(listing.errorCode),
                             LogLevel::warning, "scanDirectory(path:category:recursive:maxDepth:excluding:)");
        return {};
    }

    // Entries are sized side by side; the items keep the listing's order.
    return presentItems(
        workers().inIndexOrder<std::optional<CleanableItem>>(listing.names.size(), [&](std::size_t index) {
            return listedItem(path, listing.names[index], category, excluding);
        }));
}

std::optional<CleanableItem> ScanEngine::listedItem(const std::string& folder, const std::string& name,
                                                    CleaningCategory category,
                                                    const std::unordered_set<std::string>& excluding) const {
    const FileSystem& files = fileSystem();
    std::string fullPath = PathText::appendingPathComponent(folder, name);
    if (!excluding.empty() && excluding.contains(PathText::standardizingPath(fullPath, home_)))
        return std::nullopt;
    FileExistence existence = files.fileExists(fullPath);
    if (!existence.exists)
        return std::nullopt;
    AttributesReading own = files.attributesOfItem(fullPath);
    if (own.attributes && own.attributes->type == FileType::symbolicLink)
        return std::nullopt;

    std::int64_t size = 0;
    std::optional<Date> lastModified;
    if (existence.isDirectory) {
        size = directorySizeLocked(fullPath);
        if (size > kListingMinimumExclusive)
            lastModified = fileModDateLocked(fullPath);
    } else {
        if (!own.attributes)
            return std::nullopt;
        size = own.attributes->size;
        lastModified = own.attributes->modificationDate;
    }
    if (size <= kListingMinimumExclusive)
        return std::nullopt;
    return CleanableItem{Uuid::random(), name, std::move(fullPath), size, category, true, lastModified};
}

std::vector<CleanableItem> ScanEngine::scanDirectoriesLocked(const std::vector<std::string>& folders,
                                                             CleaningCategory category) const {
    return joinedItems(
        workers().inIndexOrder<std::vector<CleanableItem>>(folders.size(), [&](std::size_t index) {
            return scanDirectoryLocked(folders[index], category, {});
        }));
}

std::vector<CleanableItem> ScanEngine::presentItems(std::vector<std::optional<CleanableItem>> found) {
    std::vector<CleanableItem> items;
    for (auto& item : found) {
        if (item)
            items.push_back(std::move(*item));
    }
    return items;
}

std::vector<CleanableItem> ScanEngine::joinedItems(std::vector<std::vector<CleanableItem>> lists) {
    std::vector<CleanableItem> items;
    for (auto& list : lists)
        items.insert(items.end(), std::make_move_iterator(list.begin()), std::make_move_iterator(list.end()));
    return items;
}

std::int64_t ScanEngine::directorySizeLocked(const std::string& path) const {
    return fileSystem().directorySize(path);
}

std::optional<Date> ScanEngine::fileModDateLocked(const std::string& path) const {
    AttributesReading reading = fileSystem().attributesOfItem(path);
    if (!reading.attributes)
        return std::nullopt;
    return reading.attributes->modificationDate;
}

std::vector<CleanableItem>
ScanEngine::deduplicatedItemsLocked(const std::vector<CleanableItem>& items) const {
    std::unordered_set<std::string> seen;
    std::vector<CleanableItem> kept;
    for (const CleanableItem& item : items) {
        if (seen.insert(PathText::standardizingPath(item.path, home_)).second)
            kept.push_back(item);
    }
    return kept;
}

} // namespace zn
