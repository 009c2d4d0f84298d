#include "Services/CleaningEngine.h"

#include "Logic/Utilities/Logger.h"
#include "Platform/core/FileSystem.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"
#include "Services/CleaningEngine+Staging.h"

#include <cerrno>
#include <sys/stat.h>

namespace zn {

namespace {

const std::string kSource = "cleanItems(_:progressHandler:)";

// A home whose links cannot all be resolved admits nothing below it.
std::string resolvedHome(const std::string& home) {
    return resolvedPathIfResolvable(home).value_or("");
}

CleaningEngineOptions withCurrentDataHome() {
    CleaningEngineOptions options;
    options.dataHome = currentDataHomeVariable();
    return options;
}

} // namespace

CleaningEngine::CleaningEngine() : CleaningEngine(currentUserHomeDirectory(), withCurrentDataHome()) {}

CleaningEngine::CleaningEngine(std::string home, CleaningEngineOptions options)
    : diskutilPath_(std::move(options.diskutilPath)),
      temporaryDirectory_(chooseTemporaryDirectory(options.temporaryDirectory)),
      adminRunner_(options.adminRunner ? std::move(options.adminRunner)
                                       : std::make_shared<SystemAdminRunner>()),
      volumeInfo_(options.volumeInfo ? std::move(options.volumeInfo) : std::make_shared<StatvfsVolumeInfo>()),
      removal_(options.fileOperations ? std::move(options.fileOperations)
                                      : std::make_shared<SystemRemovalFileOperations>()),
      otherPeople_(options.callingUser, options.people.value_or(People::fromLoginDefinitions())),
      rules_(resolvedHome(home), options.callingUser, std::move(options.systemFolders),
             std::move(options.now), options.runningProgram, options.dataHome),
      homeTrash_(rules_.home(), options.dataHome) {}

std::optional<std::string> CleaningEngine::pathToJudge(const std::string& path, PathReading reading) {
    if (reading == PathReading::asChecked)
        return namesEntryWithoutLinks(path) ? std::optional<std::string>(path) : std::nullopt;
    return resolvedPathIfResolvable(path);
}

CleaningResult CleaningEngine::cleanItems(const std::vector<CleanableItem>& items,
                                          const std::function<void(double)>& progressHandler,
                                          PathReading reading) {
    std::lock_guard lock(operationMutex_);
    CleaningResult result;
    const double count = static_cast<double>(items.size());
    for (std::size_t index = 0; index < items.size(); ++index) {
        if (progressHandler)
            progressHandler(static_cast<double>(index + 1) / count);
        const CleanableItem& item = items[index];
        if (item.category == CleaningCategory::purgeableSpace) {
            const std::int64_t released = purge();
            result.freedSpace = saturatingAdd(result.freedSpace, released);
            if (released > 0)
                ++result.deletedCount;
            continue;
        }
        removeOne(item, reading, result);
    }
    return result;
}

void CleaningEngine::removeOne(const CleanableItem& item, PathReading reading, CleaningResult& result) {
    auto refuse = [&](const std::string& shownResolution) {
        std::string text = "Skipped symlink or unsafe path: " + item.path + " -> " + shownResolution;
        Logger::shared().log(text, LogLevel::warning, kSource);
        result.errors.push_back(std::move(text));
    };
    if (!CleaningPathRules::isAbsolutePathText(item.path)) {
        refuse(item.path);
        return;
    }
    struct stat info;
    if (::stat(item.path.c_str(), &info) != 0) {
        // Gone already, or a link to nothing: nothing to remove but a Trash record left behind.
        if (const auto gone = resolvedPathIfResolvable(item.path))
            forgetTrashRecord(item.category, *gone);
        return;
    }

    const auto firstResolution = pathToJudge(item.path, reading);
    if (!firstResolution) {
        // Its links cannot all be followed, or it must have none and has: the text says nothing sure.
        refuse(item.path);
        return;
    }
    const std::string& resolved = *firstResolution;
    if (!rules_.admitsInOrdinaryPass(item.category, resolved)) {
        refuse(resolved);
        return;
    }
    if (resolvedPathIfResolvable(item.path) != resolved) {
        std::string text =
            "Aborting delete: path resolution changed between check and unlink for " + item.path;
        Logger::shared().log(text, LogLevel::warning, kSource);
        result.errors.push_back(std::move(text));
        return;
    }

    const RemovalResult removal =
        removal_.removeItem(resolved, CleaningPathRules::removalScope(item.category),
                            {rules_.ownerRequiredForRemoval(resolved), std::nullopt, otherPeople_});
    if (removal.succeeded()) {
        forgetTrashRecord(item.category, resolved);
        result.freedSpace = saturatingAdd(result.freedSpace, item.size);
        ++result.deletedCount;
        result.deletedPaths.insert(item.path);
        return;
    }
    // No password would help: the administrator pass keeps them too.
    if (removal.keptEntriesOfOthers()) {
        Logger::shared().log("Kept for other users: " + item.name + " at " + item.path + ": " +
                                 removal.description,
                             LogLevel::warning, kSource);
        result.keptForOtherUsers.push_back({item.path, removal.keptEntries.front()});
        return;
    }
    // What the user may not remove from a shared temporary folder is someone else's: no password helps.
    if ((removal.errorNumber == EACCES || removal.errorNumber == EPERM) &&
        !rules_.isInSharedTemporaryFolder(resolved)) {
        result.deferredToAdmin.push_back(item);
        Logger::shared().log("Deferring to admin pass: " + item.path, LogLevel::info, kSource);
        return;
    }
    std::string text = item.name + " at " + item.path + ": " + removal.description;
    Logger::shared().log("Clean failed: " + text, LogLevel::error, kSource);
    result.errors.push_back(std::move(text));
}

void CleaningEngine::forgetTrashRecord(CleaningCategory category, const std::string& resolvedPath) const {
    if (category != CleaningCategory::trashBins || !homeTrash_.holdsEntry(resolvedPath) ||
        !rules_.isSafeToDelete(resolvedPath))
        return;
    const int error = homeTrash_.forgetRemovedEntry(PathText::lastPathComponent(resolvedPath));
    // EEXIST: the entry is there after all (a link to nothing), and its record stays with it.
    if (error != 0 && error != EEXIST)
        Logger::shared().log("Couldn't remove the Trash record of " + resolvedPath + ": " +
                                 fileErrorDescription(error),
                             LogLevel::warning, kSource);
}

} // namespace zn
