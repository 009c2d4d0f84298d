#include "Services/ScanEngine.h"

#include "Platform/core/HomeTrash.h"

namespace zn {

namespace {

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

ScanEngineOptions withSeamsFilled(ScanEngineOptions options) {
    if (!options.volumeInfo)
        options.volumeInfo = std::make_shared<StatvfsVolumeInfo>();
    if (!options.fileSystem)
        options.fileSystem = std::make_shared<PosixFileSystem>();
    if (!options.workers)
        options.workers = WorkerPool::shared();
    if (!options.now)
        options.now = [] { return std::chrono::system_clock::now(); };
    return options;
}

ScanEngineOptions withCurrentDataHome() {
    ScanEngineOptions options;
    options.dataHome = currentDataHomeVariable();
    return options;
}

} // namespace

ScanEngine::ScanEngine() : ScanEngine(currentUserHomeDirectory(), withCurrentDataHome()) {}

ScanEngine::ScanEngine(std::string home, ScanEngineOptions options)
    : home_(withoutTrailingSlashes(std::move(home))), options_(withSeamsFilled(std::move(options))),
      protectedPlaces_(home_, options_.runningProgram) {}

CategoryResult ScanEngine::resultOf(CleaningCategory category, std::vector<CleanableItem> items) const {
    // Judged side by side (a char each: no shared bits between threads); most items need one lstat.
    const std::vector<char> leadsToProtected = workers().inIndexOrder<char>(
        items.size(), [&](std::size_t index) { return protectedPlaces_.mayLeadToOne(items[index].path); });
    std::vector<CleanableItem> kept;
    for (std::size_t index = 0; index < items.size(); ++index)
        if (!leadsToProtected[index])
            kept.push_back(std::move(items[index]));
    CategoryResult result{Uuid::random(), category, std::move(kept), 0};
    result.totalSize = totalSizeOf(result.items);
    return result;
}

CategoryResult ScanEngine::scanCategoryLocked(CleaningCategory category) {
    switch (category) {
    case CleaningCategory::smartScan:
        // Quick Clean is put together by the application from four other categories.
        return resultOf(category, {});
    case CleaningCategory::systemJunk:
        return scanSystemJunkLocked();
    case CleaningCategory::userCache:
        return scanUserCacheLocked();
    case CleaningCategory::privacySweep:
        return scanPrivacySweepLocked();
    case CleaningCategory::aiApps:
        return scanAIAppsLocked();
    case CleaningCategory::mailAttachments:
        return scanMailAttachmentsLocked();
    case CleaningCategory::trashBins:
        return scanTrashLocked();
    case CleaningCategory::largeFiles:
        return scanLargeFilesLocked();
    case CleaningCategory::purgeableSpace:
        return scanPurgeableSpaceLocked();
    case CleaningCategory::xcodeJunk:
        return scanXcodeJunkLocked();
    case CleaningCategory::brewCache:
        return scanBrewCacheLocked();
    case CleaningCategory::nodeCache:
        return scanNodeCacheLocked();
    case CleaningCategory::dockerCache:
        return scanDockerCacheLocked();
    }
    return resultOf(category, {});
}

// Each public operation holds the mutex for its whole run and does its work through the locked form.

CategoryResult ScanEngine::scanCategory(CleaningCategory category) {
    std::lock_guard lock(mutex_);
    return scanCategoryLocked(category);
}

std::vector<CategoryResult> ScanEngine::scanCategories(const std::vector<CleaningCategory>& categories) {
    std::lock_guard lock(mutex_);
    // The scanners only read the engine's settings, so they can run side by side: one scanner's tool runs
    // while another walks its folders.
    return workers().inIndexOrder<CategoryResult>(
        categories.size(), [&](std::size_t index) { return scanCategoryLocked(categories[index]); });
}

DiskInfo ScanEngine::getDiskInfo() {
    std::lock_guard lock(mutex_);
    return getDiskInfoLocked();
}

CategoryResult ScanEngine::scanSystemJunk() {
    std::lock_guard lock(mutex_);
    return scanSystemJunkLocked();
}

CategoryResult ScanEngine::scanUserCache() {
    std::lock_guard lock(mutex_);
    return scanUserCacheLocked();
}

CategoryResult ScanEngine::scanPrivacySweep() {
    std::lock_guard lock(mutex_);
    return scanPrivacySweepLocked();
}

CategoryResult ScanEngine::scanAIApps() {
    std::lock_guard lock(mutex_);
    return scanAIAppsLocked();
}

CategoryResult ScanEngine::scanMailAttachments() {
    std::lock_guard lock(mutex_);
    return scanMailAttachmentsLocked();
}

CategoryResult ScanEngine::scanTrash() {
    std::lock_guard lock(mutex_);
    return scanTrashLocked();
}

CategoryResult ScanEngine::scanLargeFiles() {
    std::lock_guard lock(mutex_);
    return scanLargeFilesLocked();
}

CategoryResult ScanEngine::scanPurgeableSpace() {
    std::lock_guard lock(mutex_);
    return scanPurgeableSpaceLocked();
}

CategoryResult ScanEngine::scanXcodeJunk() {
    std::lock_guard lock(mutex_);
    return scanXcodeJunkLocked();
}

CategoryResult ScanEngine::scanBrewCache() {
    std::lock_guard lock(mutex_);
    return scanBrewCacheLocked();
}

CategoryResult ScanEngine::scanNodeCache() {
    std::lock_guard lock(mutex_);
    return scanNodeCacheLocked();
}

CategoryResult ScanEngine::scanDockerCache() {
    std::lock_guard lock(mutex_);
    return scanDockerCacheLocked();
}

std::vector<CleanableItem> ScanEngine::scanDirectory(const std::string& path, CleaningCategory category, bool,
                                                     int, const std::unordered_set<std::string>& excluding) {
    std::lock_guard lock(mutex_);
    return scanDirectoryLocked(path, category, excluding);
}

std::int64_t ScanEngine::directorySize(const std::string& path) {
    std::lock_guard lock(mutex_);
    return directorySizeLocked(path);
}

std::optional<Date> ScanEngine::fileModDate(const std::string& path) {
    std::lock_guard lock(mutex_);
    return fileModDateLocked(path);
}

std::vector<CleanableItem> ScanEngine::deduplicatedItems(const std::vector<CleanableItem>& items) {
    std::lock_guard lock(mutex_);
    return deduplicatedItemsLocked(items);
}

std::optional<std::string> ScanEngine::runCommandReadingStdout(const std::string& executable,
                                                               const std::vector<std::string>& args) {
    std::lock_guard lock(mutex_);
    return runCommandReadingStdoutLocked(executable, args);
}

std::optional<std::string> ScanEngine::locateExecutable(const std::string& name,
                                                        const std::vector<std::string>& searchPaths) {
    std::lock_guard lock(mutex_);
    return locateExecutableLocked(name, searchPaths);
}

} // namespace zn
