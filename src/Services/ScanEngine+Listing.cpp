#include "Logic/Utilities/Logger.h"
#include "Platform/core/PathText.h"
#include "Services/ScanEngine.h"

namespace zn {

namespace {
// Entries of this size or less are not worth offering.
constexpr std::int64_t kListingMinimumExclusive = 1024;
} // namespace

std::vector<CleanableItem> ScanEngine::scanDirectoryLocked(const std::string& path, CleaningCategory category,
                                                           const std::unordered_set<std::string>& excluding) {
    const FileSystem& files = fileSystem();
    if (!files.fileExists(path).exists || !files.isReadable(path))
        return {};

    DirectoryListing listing = files.contentsOfDirectory(path);
    if (!listing.listed) {
        Logger::shared().log("Cannot enumerate " + path + ": " + fileErrorDescription(listing.errorCode),
                             LogLevel::warning, "scanDirectory(path:category:recursive:maxDepth:excluding:)");
        return {};
    }

    std::vector<CleanableItem> items;
    for (const std::string& name : listing.names) {
        std::string fullPath = PathText::appendingPathComponent(path, name);
        if (!excluding.empty() && excluding.contains(PathText::standardizingPath(fullPath, home_)))
            continue;
        FileExistence existence = files.fileExists(fullPath);
        if (!existence.exists)
            continue;
        AttributesReading own = files.attributesOfItem(fullPath);
        if (own.attributes && own.attributes->type == FileType::symbolicLink)
            continue;

        std::int64_t size = 0;
        std::optional<Date> lastModified;
        if (existence.isDirectory) {
            size = directorySizeLocked(fullPath);
            if (size > kListingMinimumExclusive)
                lastModified = fileModDateLocked(fullPath);
        } else {
            if (!own.attributes)
                continue;
            size = own.attributes->size;
            lastModified = own.attributes->modificationDate;
        }
        if (size <= kListingMinimumExclusive)
            continue;
        items.push_back({Uuid::random(), name, std::move(fullPath), size, category, true, lastModified});
    }
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
