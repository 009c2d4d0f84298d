#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"
#include "Logic/Removal/CleaningRoots.h"
#include "Services/ScanEngine.h"


namespace zn {

namespace {

// The folders the cleaning engine removes things from, some of them as a whole. A cache answer naming
// one of them, or a folder holding one, would wipe far more than a cache.
bool isAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

} // namespace

std::optional<CleanableItem> ScanEngine::wholeFolderItem(const std::string& path, const std::string& name,
                                                         CleaningCategory category) const {
    if (!fileSystem().fileExists(path).exists)
        return std::nullopt;
    const std::int64_t size = directorySizeLocked(path);
    if (size <= 0)
        return std::nullopt;
    return CleanableItem{Uuid::random(), name, path, size, category, true, std::nullopt};
}

std::vector<CleanableItem>
ScanEngine::wholeFolderItems(const std::vector<std::pair<std::string, std::string>>& folders,
                             CleaningCategory category) const {
    return presentItems(
        workers().inIndexOrder<std::optional<CleanableItem>>(folders.size(), [&](std::size_t index) {
            return wholeFolderItem(folders[index].first, folders[index].second, category);
        }));
}

std::vector<CleanableItem>
ScanEngine::defaultAndReportedCacheItems(const std::string& defaultPath, const std::string& name,
                                         CleaningCategory category,
                                         const std::function<std::optional<std::string>()>& askTool) {
    std::optional<CleanableItem> atDefault;
    std::optional<std::string> answer;
    workers().forEachIndex(2, [&](std::size_t index) {
        if (index == 0)
            atDefault = wholeFolderItem(defaultPath, name, category);
        else
            answer = askTool();
    });
    std::vector<CleanableItem> items;
    if (atDefault)
        items.push_back(std::move(*atDefault));
    if (answer) {
        if (auto atAnswer = wholeFolderItem(*answer, name, category))
            items.push_back(std::move(*atAnswer));
    }
    return items;
}

std::vector<CleanableItem> ScanEngine::withoutNestedItems(const std::vector<CleanableItem>& items) const {
    // Compared where the folders really are: a link may give the same folder a second name.
    std::vector<std::string> places;
    for (const CleanableItem& item : items) {
        std::string standardized = PathText::standardizingPath(item.path, home_);
        places.push_back(isAbsolute(standardized) ? resolvingSymlinksInPath(standardized) : standardized);
    }
    std::vector<CleanableItem> kept;
    for (std::size_t i = 0; i < items.size(); ++i) {
        bool covered = false;
        for (std::size_t j = 0; j < items.size() && !covered; ++j) {
            if (j != i)
                covered =
                    PathText::isStrictlyInside(places[i], places[j]) || (j < i && places[i] == places[j]);
        }
        if (!covered)
            kept.push_back(items[i]);
    }
    return kept;
}

bool ScanEngine::isTooBroadForACache(const std::string& standardizedPath) const {
    if (!isAbsolute(standardizedPath))
        return true;
    std::vector<std::string> protectedFolders{home_};
    for (const auto& root : cleaningAllowedRoots(home_, options_.dataHome, SystemCleaningFolders{}.allowedRoots))
        protectedFolders.push_back(root.path);

    const std::string resolved = resolvingSymlinksInPath(standardizedPath);
    for (const std::string& folder : protectedFolders) {
        if (PathText::isSameOrInside(PathText::standardizingPath(folder, home_), standardizedPath) ||
            PathText::isSameOrInside(resolvingSymlinksInPath(folder), resolved))
            return true;
    }
    return false;
}

} // namespace zn
