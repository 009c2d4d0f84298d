#include "Logic/Removal/CleaningPathRules.h"

#include "Logic/Removal/DocumentFolders.h"
#include "Platform/core/FileSystem.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"
#include "Services/TemporaryEntryRule.h"

#include <sys/stat.h>

namespace zn {

namespace {

bool startsWithFolder(const std::string& path, const std::string& folder) {
    const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
    return path.starts_with(prefix);
}

bool isRegularFile(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Every Docker item a scan offers is a cache folder but one: the reclaimable space, whose path names the
// container tool that was asked. Removing that would delete the tool itself.
bool isDockerToolItem(CleaningCategory category, const std::string& resolvedPath) {
    return category == CleaningCategory::dockerCache && !isDirectory(resolvedPath);
}

} // namespace

CleaningPathRules::CleaningPathRules(std::string resolvedHome, uid_t callingUser,
                                     SystemCleaningFolders systemFolders, std::function<Date()> now,
                                     const RunningProgramPlaces& runningProgram,
                                     const std::optional<std::string>& dataHome)
    : home_(std::move(resolvedHome)),
      // A home that resolves to "/" or to nothing absolute would turn the home roots into system folders.
      homeUsable_(home_.size() > 1 && home_.front() == '/'), callingUser_(callingUser),
      now_(now ? std::move(now) : [] { return std::chrono::system_clock::now(); }),
      administratorFolders_(homeUsable_ ? home_ : "", systemFolders.systemRoot),
      protectedPlaces_(home_, runningProgram), homeTrash_(home_, dataHome) {
    if (homeUsable_)
        explicitFileFolders_ = documentFolders(home_);
    allowedRoots_ = cleaningAllowedRoots(homeUsable_ ? home_ : "", dataHome, systemFolders.allowedRoots);
    // Compared with resolved paths, so also in their resolved spelling where a folder is a link.
    for (const auto& folder : systemFolders.sharedTemporary) {
        sharedTemporaryFolders_.push_back(folder);
        const std::string resolved = resolvingSymlinksInPath(folder);
        if (resolved != folder)
            sharedTemporaryFolders_.push_back(resolved);
    }
}

bool CleaningPathRules::isAbsolutePathText(const std::string& path) {
    return !path.empty() && path.front() == '/' && path.find('\0') == std::string::npos;
}

std::optional<std::string> CleaningPathRules::standardizedAbsolute(const std::string& path) const {
    if (!isAbsolutePathText(path))
        return std::nullopt;
    return PathText::standardizingPath(path, home_);
}

bool CleaningPathRules::isSafeToDelete(const std::string& resolvedPath) const {
    const auto path = standardizedAbsolute(resolvedPath);
    if (!path)
        return false;
    for (const auto& root : allowedRoots_)
        if (*path == root.path && !root.removableAsWhole)
            return false;
    for (const auto& root : allowedRoots_)
        if ((*path == root.path || startsWithFolder(*path, root.path)) && !isDecidedByHome(*path, root.path))
            return true;
    return false;
}

bool CleaningPathRules::isExplicitSingleFileDeletable(const std::string& resolvedPath) const {
    const auto path = standardizedAbsolute(resolvedPath);
    if (!path)
        return false;
    for (const auto& folder : explicitFileFolders_)
        if (PathText::isStrictlyInside(*path, folder))
            return true;
    return false;
}

bool CleaningPathRules::isSafeUninstallEscalationPath(const std::string& path) const {
    return escalationFolderAdmitting(path).has_value();
}

std::optional<std::string> CleaningPathRules::escalationFolderAdmitting(const std::string& path) const {
    const auto standardized = standardizedAbsolute(path);
    if (!standardized)
        return std::nullopt;
    return administratorFolders_.folderAdmitting(*standardized);
}

bool CleaningPathRules::isAllowedRootItself(const std::string& standardizedPath) const {
    for (const auto& root : allowedRoots_)
        if (standardizedPath == root.path)
            return true;
    return false;
}

// Resolution keeps the components after a missing one as text, and a later ".." can step back from the
// missing one onto a link that was then never resolved ("Caches/gone/../link-to-Documents/x"). Resolving
// once more must change nothing, or the path does not name what its text says.
bool CleaningPathRules::isRemovableForm(const std::string& resolvedPath) const {
    const auto path = standardizedAbsolute(resolvedPath);
    return path && *path == resolvedPath && resolvedPath != "/" &&
           resolvedPathIfResolvable(resolvedPath) == resolvedPath;
}

// A path inside a home that lies inside `place` follows the home's rules, not the wider place's.
bool CleaningPathRules::isDecidedByHome(const std::string& path, const std::string& place) const {
    return homeUsable_ && PathText::isStrictlyInside(home_, place) && PathText::isSameOrInside(path, home_);
}

bool CleaningPathRules::isInSharedTemporaryFolder(const std::string& resolvedPath) const {
    for (const auto& folder : sharedTemporaryFolders_)
        if (PathText::isStrictlyInside(resolvedPath, folder) && !isDecidedByHome(resolvedPath, folder))
            return true;
    return false;
}

bool CleaningPathRules::isTemporaryEntryInUse(const std::string& resolvedPath) const {
    return isInSharedTemporaryFolder(resolvedPath) &&
           !hasRestedForADay(PosixFileSystem(), resolvedPath, callingUser_, now_());
}

// Looked at as each entry goes: a Trash that another user may change may hold that user's entries.
bool CleaningPathRules::isInTrashOfAnother(const std::string& resolvedPath) const {
    return PathText::isStrictlyInside(resolvedPath, homeTrash_.folder()) &&
           !homeTrash_.isPrivateTo(callingUser_);
}

// What neither pass removes, whatever the category.
bool CleaningPathRules::isRefusedOnEitherPass(CleaningCategory category, const std::string& resolvedPath) const {
    return !isRemovableForm(resolvedPath) || isProtectedPlace(resolvedPath) ||
           isDockerToolItem(category, resolvedPath) || isInTrashOfAnother(resolvedPath);
}

bool CleaningPathRules::isDeletableLargeFile(const std::string& resolvedPath) const {
    return isExplicitSingleFileDeletable(resolvedPath) && isRegularFile(resolvedPath);
}

bool CleaningPathRules::admitsInOrdinaryPass(CleaningCategory category,
                                             const std::string& resolvedPath) const {
    if (isRefusedOnEitherPass(category, resolvedPath) || isTemporaryEntryInUse(resolvedPath))
        return false;
    if (category == CleaningCategory::largeFiles)
        return isDeletableLargeFile(resolvedPath);
    return isSafeToDelete(resolvedPath);
}

bool CleaningPathRules::admitsInAdminPass(CleaningCategory category, const std::string& resolvedPath) const {
    if (isRefusedOnEitherPass(category, resolvedPath) || isInSharedTemporaryFolder(resolvedPath))
        return false;
    if (category == CleaningCategory::largeFiles)
        return isDeletableLargeFile(resolvedPath);
    return (isSafeToDelete(resolvedPath) && !isAllowedRootItself(resolvedPath)) ||
           isSafeUninstallEscalationPath(resolvedPath);
}

std::optional<std::string> CleaningPathRules::allowedPlaceInAdminPass(CleaningCategory category,
                                                                      const std::string& resolvedPath) const {
    if (!admitsInAdminPass(category, resolvedPath))
        return std::nullopt;
    if (category == CleaningCategory::largeFiles) {
        return PathText::innermostHolding(resolvedPath, explicitFileFolders_);
    }
    if (isSafeToDelete(resolvedPath)) {
        std::vector<std::string> roots;
        for (const auto& root : allowedRoots_)
            roots.push_back(root.path);
        return PathText::innermostHolding(resolvedPath, roots);
    }
    return escalationFolderAdmitting(resolvedPath);
}

std::optional<uid_t> CleaningPathRules::ownerRequiredForRemoval(const std::string& resolvedPath) const {
    if (isInSharedTemporaryFolder(resolvedPath))
        return callingUser_;
    return std::nullopt;
}

SafeRemoval::Scope CleaningPathRules::removalScope(CleaningCategory category) {
    return category == CleaningCategory::largeFiles ? SafeRemoval::Scope::regularFileOnly
                                                    : SafeRemoval::Scope::wholeItem;
}

} // namespace zn
