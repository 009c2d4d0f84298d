#include "Platform/core/HomeTrash.h"
#include "Platform/core/PathText.h"
#include "Services/ScanEngine.h"
#include "Services/TemporaryEntryRule.h"

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
    const std::vector<std::string> folders{options_.systemCaches,   options_.systemLogs,
                                           options_.systemLogFiles, home_ + "/Library/Logs",
                                           options_.temporaryFiles, options_.systemTemporaryFiles};
    // The last two are the shared temporary folders.
    return resultOf(CleaningCategory::systemJunk,
                    joinedItems(workers().inIndexOrder<std::vector<CleanableItem>>(
                        folders.size(), [&](std::size_t index) {
                            return index < 4
                                       ? scanDirectoryLocked(folders[index], CleaningCategory::systemJunk, {})
                                       : temporaryFolderItems(folders[index]);
                        })));
}

// System Cleanup goes without a review, so of a shared temporary folder it offers only the entries that
// have rested for a day; the cleaning engine asks the same again before it removes one.
std::vector<CleanableItem> ScanEngine::temporaryFolderItems(const std::string& folder) const {
    std::vector<std::string> paths;
    for (const std::string& name : fileSystem().contentsOfDirectory(folder).names)
        paths.push_back(PathText::appendingPathComponent(folder, name));
    const Date now = options_.now();
    // Judged side by side, as the listing sizes its entries (a char each: no shared bits between threads).
    const std::vector<char> rested = workers().inIndexOrder<char>(
        paths.size(), [&](std::size_t index) { return hasRestedForADay(fileSystem(), paths[index], options_.currentUser, now);
        });
    std::unordered_set<std::string> settled;
    std::unordered_set<std::string> excluded;
    for (std::size_t index = 0; index < paths.size(); ++index)
        (rested[index] ? settled : excluded).insert(PathText::standardizingPath(paths[index], home_));

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

    // The listing and the package-tool caches are sized side by side; the listing's items come first.
    std::vector<CleanableItem> listed;
    std::vector<std::optional<CleanableItem>> toolItems(kPackageToolCaches.size());
    workers().forEachIndex(1 + toolItems.size(), [&](std::size_t index) {
        if (index == 0)
            listed = scanDirectoryLocked(home_ + "/Library/Caches", CleaningCategory::userCache, excluded);
        else
            toolItems[index - 1] = packageToolCacheItem(home_ + kPackageToolCaches[index - 1]);
    });
    std::vector<CleanableItem> items = joinedItems({std::move(listed), presentItems(std::move(toolItems))});
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
    const std::vector<std::string> folders{
        home_ + "/Library/Mail Downloads",
        home_ + "/Library/Containers/com.apple.mail/Data/Library/Mail Downloads",
    };
    return resultOf(CleaningCategory::mailAttachments,
                    scanDirectoriesLocked(folders, CleaningCategory::mailAttachments));
}

// The desktop's home Trash, where the uninstaller and file managers put what they trash. One that is a
// link, or lies behind one, is not the home's own and offers nothing; nor does one that anyone but the
// user may change (a data home of another user's), whose entries need not be the user's.
CategoryResult ScanEngine::scanTrashLocked() {
    const HomeTrash trash(home_, options_.dataHome);
    if (!trash.isReachedWithoutLinks() || !trash.isPrivateTo(options_.currentUser))
        return resultOf(CleaningCategory::trashBins, {});
    return resultOf(CleaningCategory::trashBins,
                    scanDirectoryLocked(trash.filesFolder(), CleaningCategory::trashBins, {}));
}

} // namespace zn
