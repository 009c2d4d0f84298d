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

// Anything in a temporary folder that changed more recently may belong to a program still running.
constexpr auto kTemporaryEntryMinimumAge = std::chrono::hours(24);

} // namespace

CategoryResult ScanEngine::scanSystemJunkLocked() {
    const std::array<std::string, 4> folders{options_.systemCaches, options_.systemLogs,
                                             options_.systemLogFiles, home_ + "/Library/Logs"};
    std::vector<CleanableItem> items;
    for (const std::string& folder : folders) {
        auto found = scanDirectoryLocked(folder, CleaningCategory::systemJunk, {});
        items.insert(items.end(), std::make_move_iterator(found.begin()),
                     std::make_move_iterator(found.end()));
    }
    for (const std::string& folder : {options_.temporaryFiles, options_.systemTemporaryFiles}) {
        auto found = temporaryFolderItems(folder);
        items.insert(items.end(), std::make_move_iterator(found.begin()),
                     std::make_move_iterator(found.end()));
    }
    return resultOf(CleaningCategory::systemJunk, std::move(items));
}

// Temporary folders hold the live files of running programs and of other users, and System Cleanup goes
// without a review: only the user's own entries go, once neither they nor anything the size walk sees
// inside them has changed for a day. A folder the walk could not see all of may hide a fresh file.
std::vector<CleanableItem> ScanEngine::temporaryFolderItems(const std::string& folder) {
    const FileSystem& files = fileSystem();
    const DirectoryListing listing = files.contentsOfDirectory(folder);
    const Date newestAllowed = options_.now() - kTemporaryEntryMinimumAge;
    std::unordered_set<std::string> settled;
    std::unordered_set<std::string> excluded;
    for (const std::string& name : listing.names) {
        const std::string path = PathText::appendingPathComponent(folder, name);
        const AttributesReading own = files.attributesOfItem(path);
        bool old = own.attributes && own.attributes->owner == options_.currentUser &&
                   own.attributes->modificationDate && *own.attributes->modificationDate <= newestAllowed;
        if (old && own.attributes->type == FileType::directory) {
            const DirectoryWalk walk = files.walkDirectory(path);
            old = walk.complete && walk.newestModification && *walk.newestModification <= newestAllowed;
        }
        (old ? settled : excluded).insert(PathText::standardizingPath(path, home_));
    }

    // Sizes only what may be offered; an entry that appeared since the look above is left out too.
    std::vector<CleanableItem> items = scanDirectoryLocked(folder, CleaningCategory::systemJunk, excluded);
    std::erase_if(items, [&](const CleanableItem& item) {
        return !settled.contains(PathText::standardizingPath(item.path, home_));
    });
    return items;
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
