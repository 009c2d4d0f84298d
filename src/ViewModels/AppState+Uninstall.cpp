// The uninstaller: an application's leftover files, their removal and its messages.

#include "Logic/Removal/DocumentFolders.h"
#include "Logic/Utilities/Logger.h"
#include "Platform/core/FileSystem.h"
#include "Platform/core/PathText.h"
#include "ViewModels/AppState+Background.h"
#include "ViewModels/RemovalMessages.h"

#include <algorithm>
#include <sys/stat.h>

namespace zn {

namespace {

const std::string kRemoveSource = "removeSelectedFiles()";
const std::string kFinishSource =
    "finishRemoval(removedAny:needsFullDiskAccess:attemptedAdmin:failed:adminError:)";

std::string joined(const std::vector<std::string>& texts, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < texts.size(); ++i)
        text += (i > 0 ? separator : "") + texts[i];
    return text;
}

} // namespace

void AppState::scanForAppFiles(const InstalledApp& app) {
    setDiscoveredFiles({});
    setSelectedFiles({});
    setIsScanningAppFiles(true);
    Locations locations = services_.uninstall.locationsProvider();
    setAppFileScanLocationCount(static_cast<std::int64_t>(locations.appSearch.paths.size()));
    // A search for an application chosen earlier may answer after this one; its answer is dropped.
    auto generation = ++appFileSearchGeneration_;
    QPointer<AppState> self(this);
    // Nothing of the other installed applications is offered with this one.
    const AppFileScanner& scan = services_.uninstall.appFileScanner;
    const std::string home = services_.uninstall.home;
    scan(app, installedApps_, locations, [self, generation, home](std::set<std::string> found) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, generation, home, found = std::move(found)] {
                if (!self || generation != self->appFileSearchGeneration_)
                    return;
                // The set is already in plain text order of the paths.
                self->setDiscoveredFiles({found.begin(), found.end()});
                // What lies in the user's document folders the user made, with the application's help: it
                // is listed, but only the user's own tick removes it.
                auto selected = found;
                std::erase_if(selected,
                              [&](const std::string& path) { return isInDocumentFolder(path, home); });
                self->setSelectedFiles(std::move(selected));
                self->setIsScanningAppFiles(false);
                self->setAppFileScanLocationCount(0);
            },
            Qt::QueuedConnection);
    });
}

void AppState::removeSelectedFiles() {
    if (removalNeedsFullDiskAccess_ || services_.permission->isRequesting()) {
        Logger::shared().log("Refused duplicate removeSelectedFiles while FDA flow is active", LogLevel::info,
                             kRemoveSource);
        return;
    }
    if (removalRunning_) {
        Logger::shared().log("Refused duplicate removeSelectedFiles while a removal is running",
                             LogLevel::info, kRemoveSource);
        return;
    }
    RemovalPathRules rules(services_.uninstall.home, services_.uninstall.systemRoot,
                           services_.uninstall.runningProgram);
    std::vector<std::string> refused;
    std::vector<std::string> allowed;
    for (const std::string& path : selectedFiles_)
        (rules.isHighRisk(path) ? refused : allowed).push_back(path);

    setRemovalError(std::nullopt);
    setRemovalNeedsFullDiskAccess(false);
    if (!refused.empty()) {
        Logger::shared().log("Refused to delete " + std::to_string(refused.size()) +
                                 " high-risk home dotpath(s): " + joined(refused, ", "),
                             LogLevel::warning, kRemoveSource);
        auto selected = selectedFiles_;
        for (const std::string& path : refused)
            selected.erase(path);
        setSelectedFiles(std::move(selected));
        // Said at once, so that a refusal is never silent even while the rest is still being removed.
        setRemovalError(refusedRemovalMessage(refused.size()));
    }
    if (allowed.empty())
        return;

    removalRunning_ = true;
    auto move = services_.uninstall.moveToTrash;
    auto probe = services_.probeFullDiskAccess;
    std::size_t refusedCount = refused.size();
    runInBackground([move, probe, rules, allowed] { return trashDirectly(allowed, move, probe(), rules); },
                    [this, refusedCount](TrashPassOutcome trash) { finishTrashPass(trash, refusedCount); });
}

void AppState::finishTrashPass(const TrashPassOutcome& trash, std::size_t refusedCount) {
    applyRemovedAppFiles(trash.trashed);
    if (!trash.refused.empty()) {
        auto selected = selectedFiles_;
        for (const std::string& path : trash.refused)
            selected.erase(path);
        setSelectedFiles(std::move(selected));
        refusedCount += trash.refused.size();
    }
    if (trash.administratorCandidates.empty()) {
        removalRunning_ = false;
        publishRemovalOutcome(
            trash, trash.failed,
            removalFailureMessage(trash.needsFullDiskAccess, false, trash.failed.size(), std::nullopt),
            refusedCount);
        if (!trash.trashed.empty())
            pruneMissingInstalledApps();
        return;
    }
    auto cleaner = services_.cleaner;
    auto candidates = trash.administratorCandidates;
    runInBackground(
        [cleaner, candidates] {
            std::vector<CleanableItem> items;
            for (const std::string& path : candidates)
                if (mayGoToLinkResolvingRemoval(path)) // what is left out counts as not removed
                    items.push_back(cleanableUninstallItem(path));
            // The administrator side gets each path as it was checked, never one looked up anew.
            return cleaner->cleanWithAdminPrivileges(items, PathReading::asChecked);
        },
        [this, trash, refusedCount](CleaningResult administrator) {
            finishAdministratorRemoval(trash, refusedCount, administrator);
        });
}

void AppState::finishAdministratorRemoval(const TrashPassOutcome& trash, std::size_t refusedCount,
                                          const CleaningResult& administrator) {
    removalRunning_ = false;
    std::vector<std::string> removedByAdministrator;
    std::vector<std::string> failures = trash.failed;
    // What either pass kept for other users is told apart from what failed.
    TrashPassOutcome outcome = trash;
    outcome.keptForOtherUsers.insert(outcome.keptForOtherUsers.end(), administrator.keptForOtherUsers.begin(),
                                     administrator.keptForOtherUsers.end());
    auto isKept = [&](const std::string& path) {
        return std::any_of(administrator.keptForOtherUsers.begin(), administrator.keptForOtherUsers.end(),
                           [&](const KeptItem& item) { return item.path == path; });
    };
    for (const std::string& path : trash.administratorCandidates)
        if (!isKept(path))
            (administrator.deletedPaths.contains(path) ? removedByAdministrator : failures).push_back(path);
    applyRemovedAppFiles(removedByAdministrator);
    for (const std::string& path : removedByAdministrator)
        Logger::shared().log("Removed " + path + " with administrator privileges", LogLevel::info,
                             kRemoveSource);

    publishRemovalOutcome(outcome, failures,
                          removalFailureMessage(trash.needsFullDiskAccess, true, failures.size(),
                                                joined(administrator.errors, "; ")),
                          refusedCount);
    if (!trash.trashed.empty() || !removedByAdministrator.empty())
        pruneMissingInstalledApps();
}

void AppState::publishRemovalOutcome(const TrashPassOutcome& trash, const std::vector<std::string>& failures,
                                     const std::optional<std::string>& failureMessage,
                                     std::size_t refusedCount) {
    // The access retry cleans what each path leads to: a link that failed is not retried.
    std::vector<std::string> retried;
    if (trash.needsFullDiskAccess)
        for (const std::string& path : failures)
            if (std::find(trash.failedLinks.begin(), trash.failedLinks.end(), path) ==
                trash.failedLinks.end())
                retried.push_back(path);
    setLastFailedRemovalURLs(std::move(retried));
    setRemovalNeedsFullDiskAccess(trash.needsFullDiskAccess);
    if (failureMessage)
        Logger::shared().log(*failureMessage, LogLevel::error, kFinishSource);
    if (auto message = combinedRemovalMessage(refusedCount, failureMessage, trash.trashFailures.size(),
                                              trash.keptForOtherUsers))
        setRemovalError(std::move(message));
}

void AppState::applyRemovedAppFiles(const std::vector<std::string>& paths) {
    if (paths.empty())
        return;
    std::set<std::string> removed(paths.begin(), paths.end());
    auto discovered = discoveredFiles_;
    std::erase_if(discovered, [&](const std::string& path) { return removed.contains(path); });
    setDiscoveredFiles(std::move(discovered));
    auto selected = selectedFiles_;
    for (const std::string& path : removed)
        selected.erase(path);
    setSelectedFiles(std::move(selected));
    Logger::shared().log("Removed " + std::to_string(paths.size()) + " file" + (paths.size() == 1 ? "" : "s"),
                         LogLevel::info, "applyRemovedAppFiles(_:)");
}

void AppState::pruneMissingInstalledApps() {
    PosixFileSystem files;
    auto apps = installedApps_;
    std::erase_if(apps, [&](const InstalledApp& app) { return !files.fileExists(app.path).exists; });
    setInstalledApps(std::move(apps));
    if (selectedApp_ && !files.fileExists(selectedApp_->path).exists) {
        setSelectedApp(std::nullopt);
        setDiscoveredFiles({});
        setSelectedFiles({});
    }
}

CleanableItem AppState::cleanableUninstallItem(const std::string& path) {
    CleanableItem item{
        Uuid::random(), PathText::lastPathComponent(path), path, 0, CleaningCategory::systemJunk, true,
        std::nullopt};
    struct stat info;
    // The allocated size of this one entry, not of a folder's contents.
    if (::lstat(path.c_str(), &info) == 0)
        item.size = static_cast<std::int64_t>(info.st_blocks) * 512;
    if (auto attributes = PosixFileSystem().attributesOfItem(path).attributes)
        item.lastModified = attributes->modificationDate;
    return item;
}

} // namespace zn
