#include "Platform/core/PathText.h"
#include "Services/ScanEngine.h"

#include <array>

namespace zn {

namespace {

// User cache folders that another category offers, so they are never offered twice.
constexpr std::array<const char*, 6> kCacheFoldersOfferedElsewhere{
    "/Library/Caches/Homebrew",            // coding downloads
    "/Library/Caches/com.electron.ollama", // AI app files
    "/Library/Caches/ollama",              // AI app files
    "/Library/Caches/com.apple.Safari",    // browser privacy
    "/Library/Caches/Google",              // browser privacy: Chrome's caches lie inside
    "/Library/Caches/Microsoft Edge",      // browser privacy
};

// Package-tool caches offered as one whole item each, in this order.
constexpr std::array<const char*, 5> kPackageToolCaches{
    "/.npm/_cacache", "/.cache/pip", "/.cache/yarn", "/.cache/pnpm", "/Library/Caches/pip",
};

// Unlike a listing entry, a whole package-tool cache of exactly this size is still offered.
constexpr std::int64_t kPackageToolMinimumInclusive = 1024;

} // namespace

CategoryResult ScanEngine::scanSystemJunkLocked() {
    const std::array<std::string, 6> folders{options_.systemCaches,   options_.systemLogs,
                                             options_.systemLogFiles, home_ + "/Library/Logs",
                                             options_.temporaryFiles, options_.systemTemporaryFiles};
    std::vector<CleanableItem> items;
    for (const std::string& folder : folders) {
        auto found = scanDirectoryLocked(folder, CleaningCategory::systemJunk, {});
        items.insert(items.end(), std::make_move_iterator(found.begin()),
                     std::make_move_iterator(found.end()));
    }
    return resultOf(CleaningCategory::systemJunk, std::move(items));
}

CategoryResult ScanEngine::scanUserCacheLocked() {
    std::unordered_set<std::string> excluded;
    for (const char* suffix : kCacheFoldersOfferedElsewhere)
        excluded.insert(PathText::standardizingPath(home_ + suffix, home_));

    std::vector<CleanableItem> items =
        scanDirectoryLocked(home_ + "/Library/Caches", CleaningCategory::userCache, excluded);
    for (const char* suffix : kPackageToolCaches) {
        if (auto item = packageToolCacheItem(home_ + suffix))
            items.push_back(std::move(*item));
    }
    return resultOf(CleaningCategory::userCache, deduplicatedItemsLocked(items));
}

std::optional<CleanableItem> ScanEngine::packageToolCacheItem(const std::string& path) const {
    const FileSystem& files = fileSystem();
    FileExistence existence = files.fileExists(path);
    if (!existence.exists)
        return std::nullopt;

    std::int64_t size = 0;
    std::optional<Date> lastModified;
    if (existence.isDirectory) {
        size = directorySizeLocked(path);
        lastModified = fileModDateLocked(path);
    } else {
        AttributesReading reading = files.attributesOfItem(path);
        // A link's own size is the length of its target's name, not a cache's size.
        if (!reading.attributes || reading.attributes->type == FileType::symbolicLink)
            return std::nullopt;
        size = reading.attributes->size;
        lastModified = reading.attributes->modificationDate;
    }
    if (size < kPackageToolMinimumInclusive)
        return std::nullopt;
    return CleanableItem{Uuid::random(), PathText::lastPathComponent(path), path,
                         size,           CleaningCategory::userCache,       true,
                         lastModified};
}

CategoryResult ScanEngine::scanMailAttachmentsLocked() {
    const std::array<std::string, 2> folders{
        home_ + "/Library/Mail Downloads",
        home_ + "/Library/Containers/com.apple.mail/Data/Library/Mail Downloads",
    };
    std::vector<CleanableItem> items;
    for (const std::string& folder : folders) {
        auto found = scanDirectoryLocked(folder, CleaningCategory::mailAttachments, {});
        items.insert(items.end(), std::make_move_iterator(found.begin()),
                     std::make_move_iterator(found.end()));
    }
    return resultOf(CleaningCategory::mailAttachments, std::move(items));
}

CategoryResult ScanEngine::scanTrashLocked() {
    return resultOf(CleaningCategory::trashBins,
                    scanDirectoryLocked(home_ + "/.Trash", CleaningCategory::trashBins, {}));
}

} // namespace zn
