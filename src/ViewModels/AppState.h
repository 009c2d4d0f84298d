#pragma once

#include "Logic/Scanning/AppInfoFetcher.h"
#include "Models/CleanableItem.h"
#include "Models/CleaningCategory.h"
#include "Models/Date.h"
#include "Models/DiskInfo.h"
#include "Models/PermissionPromptContext.h"
#include "Models/ScanState.h"
#include "Models/Uuid.h"
#include "Platform/qt/Clock.h"
#include "Services/SchedulerService.h"
#include "ViewModels/AppStateServices.h"
#include "ViewModels/CleanPass.h"

#include <QObject>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stop_token>
#include <string>
#include <unordered_set>
#include <vector>

namespace zn {

// The one observable state of the windowed application: scan results, selections, cleaning and
// uninstaller state, and every user flow. Lives on the main thread. Each published field has a getter,
// a setter and a change signal that is emitted after every assignment, once the new value is stored.
class AppState : public QObject {
    Q_OBJECT

public:
    AppState(bool performStartupTasks, AppStateServices services, QObject* parent = nullptr);
    ~AppState() override;

    // Published fields.
    const ScanState& scanState() const { return scanState_; }
    const std::map<CleaningCategory, CategoryResult>& categoryResults() const { return *categoryResults_; }
    // The items of one category's result, kept alive for as long as the pointer is held, on any thread,
    // whatever results the state holds by then; none when the category has no result.
    std::shared_ptr<const std::vector<CleanableItem>> sharedItems(CleaningCategory category) const;
    const DiskInfo& diskInfo() const { return diskInfo_; }
    std::int64_t totalJunkSize() const { return totalJunkSize_; }
    std::int64_t totalFreedSpace() const { return totalFreedSpace_; }
    double scanProgress() const { return scanProgress_; }
    double cleanProgress() const { return cleanProgress_; }
    const std::string& currentScanCategory() const { return currentScanCategory_; }
    const std::optional<Date>& lastCleanedDate() const { return lastCleanedDate_; }
    const std::unordered_set<Uuid>& selectedCleanupItems() const { return selectedCleanupItems_; }
    const std::unordered_set<Uuid>& deselectedItems() const { return deselectedItems_; }
    bool hasFullDiskAccess() const { return hasFullDiskAccess_; }
    bool fdaBannerDismissed() const { return fdaBannerDismissed_; }
    const std::optional<std::string>& cleanError() const { return cleanError_; }
    bool cleanErrorIsFDAFixable() const { return cleanErrorIsFDAFixable_; }
    const std::vector<CleanableItem>& pendingPermissionRetryItems() const {
        return pendingPermissionRetryItems_;
    }
    const std::vector<InstalledApp>& installedApps() const { return installedApps_; }
    const std::optional<InstalledApp>& selectedApp() const { return selectedApp_; }
    const std::vector<std::string>& discoveredFiles() const { return discoveredFiles_; }
    const std::set<std::string>& selectedFiles() const { return selectedFiles_; }
    const std::vector<std::string>& orphanedFiles() const { return orphanedFiles_; }
    bool isSearchingOrphans() const { return isSearchingOrphans_; }
    bool isLoadingApps() const { return isLoadingApps_; }
    bool isScanningAppFiles() const { return isScanningAppFiles_; }
    const std::optional<std::string>& removalError() const { return removalError_; }
    bool removalNeedsFullDiskAccess() const { return removalNeedsFullDiskAccess_; }
    const std::vector<std::string>& lastFailedRemovalURLs() const { return lastFailedRemovalURLs_; }
    std::int64_t appFileScanLocationCount() const { return appFileScanLocationCount_; }

    // The schedule: the settings screen assigns its config.
    SchedulerService& scheduler() { return *scheduler_; }

    void setScanState(ScanState value);
    void setCategoryResults(std::map<CleaningCategory, CategoryResult> value);
    void setDiskInfo(DiskInfo value);
    void setTotalJunkSize(std::int64_t value);
    void setTotalFreedSpace(std::int64_t value);
    void setScanProgress(double value);
    void setCleanProgress(double value);
    void setCurrentScanCategory(std::string value);
    void setLastCleanedDate(std::optional<Date> value);
    void setSelectedCleanupItems(std::unordered_set<Uuid> value);
    void setDeselectedItems(std::unordered_set<Uuid> value);
    void setHasFullDiskAccess(bool value);
    void setFdaBannerDismissed(bool value);
    void setCleanError(std::optional<std::string> value);
    void setCleanErrorIsFDAFixable(bool value);
    void setPendingPermissionRetryItems(std::vector<CleanableItem> value);
    void setInstalledApps(std::vector<InstalledApp> value);
    void setSelectedApp(std::optional<InstalledApp> value);
    void setDiscoveredFiles(std::vector<std::string> value);
    void setSelectedFiles(std::set<std::string> value);
    void setOrphanedFiles(std::vector<std::string> value);
    void setIsSearchingOrphans(bool value);
    void setIsLoadingApps(bool value);
    void setIsScanningAppFiles(bool value);
    void setRemovalError(std::optional<std::string> value);
    void setRemovalNeedsFullDiskAccess(bool value);
    void setLastFailedRemovalURLs(std::vector<std::string> value);
    void setAppFileScanLocationCount(std::int64_t value);

    // Computed values.
    // Stored results with a total of at least one byte, in the scannable categories' order, where they are
    // stored (their items are not copied); valid until the results change.
    std::vector<const CategoryResult*> shownResults() const;
    std::vector<CleanableItem> selectedItemsToClean() const;
    // The bytes of selectedItemsToClean(), without gathering the items.
    std::int64_t selectedSizeToClean() const;
    // True when the selection holds an item outside the clean-at-once categories, or one the user picked.
    bool selectedItemsRequireConfirmation() const;
    std::int64_t currentAppFileSearchLocationCount() const;
    // A scan or clean runs, or the question about running browsers is open: new ones are refused.
    bool isBusy() const;

    // Selection. The totals per category are worked out once per change of the results or the selection,
    // however often they are asked for in between (every progress report and repaint asks).
    bool isItemSelected(const CleanableItem& item) const;
    void toggleItem(const CleanableItem& item);
    void selectAllInCategory(CleaningCategory category);
    void deselectAllInCategory(CleaningCategory category);
    std::int64_t selectedSizeInCategory(CleaningCategory category) const;
    int selectedCountInCategory(CleaningCategory category) const;

    // Loading; each returns at once. When loads overlap, the newest one's answer is kept, and a load of
    // the installed applications stops the one it replaces.
    void loadDiskInfo();
    void loadInstalledApps();
    void checkFullDiskAccess();

    // Scans; each returns at once and is refused while busy.
    void startSmartScan();
    void scanSingleCategory(CleaningCategory category);

    // Cleaning; each returns at once and is refused while busy.
    void cleanAll();
    void cleanCategory(CleaningCategory category);
    void scanAndCleanCategory(CleaningCategory category);
    // Turns a clean's failures into cleanError, cleanErrorIsFDAFixable and pendingPermissionRetryItems.
    void handleCleanOutcome(const std::vector<std::string>& errors, std::vector<CleanableItem> survivors,
                            const std::vector<KeptItem>& kept = {});

    // Uninstaller. Each returns at once.
    // Searches the application's leftover files; only the newest search's answer is kept.
    void scanForAppFiles(const InstalledApp& app);
    // Moves the selected files to the Trash, with an administrator pass for protected bundles, receipts
    // and launch items. Refuses credential stores and similar, and runs neither while a Full Disk Access
    // prompt is open or an earlier removal waits for access, nor while another removal runs.
    void removeSelectedFiles();
    // Searches leftovers of applications that are gone, against a loaded application list: while the list
    // is loading, or has never been loaded, the search waits for it (loading it first).
    void findOrphans();
    // The leftovers screen's removals, off the main thread: `paths` deleted for good (removeOrphans), or
    // one leftover moved to the Trash. What went leaves `orphanedFiles`; `done` gets what came of it.
    void removeOrphans(std::vector<std::string> paths, std::function<void(const OrphanRemovalOutcome&)> done);
    void moveOrphanToTrash(const std::string& path, std::function<void(const OrphanTrashResult&)> done);
    // The file as an item the cleaning engine can remove (for the administrator pass and the access retry).
    static CleanableItem cleanableUninstallItem(const std::string& path);

    // Asks for Full Disk Access and cleans `items` again once it is granted. A grant that arrives while a
    // scan or clean runs waits for it to end; retries never run side by side and are never dropped.
    void requestFullDiskAccessAndRetry(std::vector<CleanableItem> items,
                                       const PermissionPromptContext& context);

signals:
    void scanStateChanged();
    void categoryResultsChanged();
    void diskInfoChanged();
    void totalJunkSizeChanged();
    void totalFreedSpaceChanged();
    void scanProgressChanged();
    void cleanProgressChanged();
    void currentScanCategoryChanged();
    void lastCleanedDateChanged();
    void selectedCleanupItemsChanged();
    void deselectedItemsChanged();
    void hasFullDiskAccessChanged();
    void fdaBannerDismissedChanged();
    void cleanErrorChanged();
    void cleanErrorIsFDAFixableChanged();
    void pendingPermissionRetryItemsChanged();
    void installedAppsChanged();
    void selectedAppChanged();
    void discoveredFilesChanged();
    void selectedFilesChanged();
    void orphanedFilesChanged();
    void isSearchingOrphansChanged();
    void isLoadingAppsChanged();
    void isScanningAppFilesChanged();
    void removalErrorChanged();
    void removalNeedsFullDiskAccessChanged();
    void lastFailedRemovalURLsChanged();
    void appFileScanLocationCountChanged();

private:
    // How a finished clean takes the removed items out of the results.
    enum class Pruning { allCategories, oneCategory, scannedCategory };
    struct CleanRequest {
        // Shared, not copied: the list may be a stored result's hundred thousand items.
        std::shared_ptr<const std::vector<CleanableItem>> items;
        Pruning pruning = Pruning::allCategories;
        std::optional<CleaningCategory> category; // one-category and scanned-category pruning
        std::optional<CategoryResult> scanned;    // scanned-category pruning
        bool hapticSignal = false;
        // The uninstaller's access retry takes its paths as they were checked, never through a link.
        PathReading reading = PathReading::resolvingLinks;
    };
    struct WarmupCreep;
    // What the selection holds of one category's stored result.
    struct SelectionTotals {
        int count = 0;
        std::int64_t size = 0;
        // A selected item outside the clean-at-once categories, or one the user picked.
        bool needsConfirmation = false;
    };

    template <typename Work, typename Done> void runInBackground(Work work, Done done);
    // Runs `next` in a later turn of the main thread, after 1.5 seconds when browsers were asked to quit.
    void afterBrowsersQuit(bool waitForBrowsers, std::function<void()> next);
    // The start of every scan or clean: a later step of an earlier flow can tell it is no longer current.
    void beginFlow();

    void storeCategoryResult(CleaningCategory category, CategoryResult result);
    std::int64_t sumOfStoredTotals() const;
    void clearSelectionState(CleaningCategory category);
    const SelectionTotals& selectionTotals(CleaningCategory category) const;
    // The categories of shownResults(), in the same order.
    std::vector<CleaningCategory> shownCategories() const;

    void smartScanStep(std::size_t position);
    void startScanWarmupProgress(double ceiling, std::string categoryName);
    void scheduleWarmupStep(const std::shared_ptr<WarmupCreep>& creep);
    void cancelScanWarmup();

    // Asks whether to quit running browsers when privacy items are to be cleaned; `proceed` runs with
    // whether to wait for them, or not at all when the user cancels.
    void prepareBrowserPrivacyCleanupIfNeeded(const std::set<CleaningCategory>& categories,
                                              std::function<void(bool waitForBrowsers)> proceed);
    void retryCleanItems(CleanRequest request);
    void retryAfterGrant(std::vector<CleanableItem> items, PathReading reading);
    void runQueuedRetryWhenFree();
    void runClean(CleanRequest request);
    void reportCleanProgress(double progress);
    // The stored results with a clean's removed items taken out, and the ids of the items taken out of the
    // selection's categories.
    struct PrunedResults {
        std::map<CleaningCategory, CategoryResult> results;
        std::vector<Uuid> removedIds;
    };
    static PrunedResults prunedResults(const std::map<CleaningCategory, CategoryResult>& stored,
                                       const CleanRequest& request, const PathLookup& deletedPaths);
    void finishClean(const CleanRequest& request, CleanPassOutcome& outcome, PrunedResults pruned);
    void storePrunedResults(PrunedResults pruned);

    void finishTrashPass(const TrashPassOutcome& trash, std::size_t refusedCount);
    void finishAdministratorRemoval(const TrashPassOutcome& trash, std::size_t refusedCount,
                                    const CleaningResult& administrator);
    void publishRemovalOutcome(const TrashPassOutcome& trash, const std::vector<std::string>& failures,
                               const std::optional<std::string>& failureMessage, std::size_t refusedCount);
    void applyRemovedAppFiles(const std::vector<std::string>& paths);
    void pruneMissingInstalledApps();
    void startOrphanSearch();
    void dropOrphans(const std::set<std::string>& paths);

    // The scheduler's trigger: scans the scheduled categories, then cleans, purges and notifies as set.
    void runScheduledScan();
    void scheduledScanStep(std::vector<CleaningCategory> categories, std::size_t position,
                           std::int64_t total);
    void finishScheduledScan(std::int64_t total);
    void sendNotification(std::int64_t freed);

    template <typename T, typename Signal> void publish(T& field, T value, Signal signal);

    AppStateServices services_;
    std::unique_ptr<SchedulerService> scheduler_;

    ScanState scanState_ = ScanState::idle();
    // Shared so that a screen can prepare a result's rows off the main thread without copying its items.
    std::shared_ptr<const std::map<CleaningCategory, CategoryResult>> categoryResults_ =
        std::make_shared<const std::map<CleaningCategory, CategoryResult>>();
    DiskInfo diskInfo_;
    std::int64_t totalJunkSize_ = 0;
    std::int64_t totalFreedSpace_ = 0;
    double scanProgress_ = 0;
    double cleanProgress_ = 0;
    std::string currentScanCategory_;
    std::optional<Date> lastCleanedDate_;
    std::unordered_set<Uuid> selectedCleanupItems_;
    std::unordered_set<Uuid> deselectedItems_;
    bool hasFullDiskAccess_ = true;
    bool fdaBannerDismissed_ = false;
    std::optional<std::string> cleanError_;
    bool cleanErrorIsFDAFixable_ = false;
    std::vector<CleanableItem> pendingPermissionRetryItems_;
    std::vector<InstalledApp> installedApps_;
    std::optional<InstalledApp> selectedApp_;
    std::vector<std::string> discoveredFiles_;
    std::set<std::string> selectedFiles_;
    std::vector<std::string> orphanedFiles_;
    bool isSearchingOrphans_ = false;
    bool isLoadingApps_ = false;
    bool isScanningAppFiles_ = false;
    std::optional<std::string> removalError_;
    bool removalNeedsFullDiskAccess_ = false;
    std::vector<std::string> lastFailedRemovalURLs_;
    std::int64_t appFileScanLocationCount_ = 0;

    // Filled on demand; emptied whenever the results or either selection set change.
    mutable std::map<CleaningCategory, SelectionTotals> selectionTotals_;
    std::shared_ptr<WarmupCreep> scanWarmup_;
    bool browserQuestionOpen_ = false;
    std::uint64_t flowGeneration_ = 0;
    std::uint64_t diskInfoGeneration_ = 0;
    std::uint64_t installedAppsGeneration_ = 0;
    std::stop_source installedAppsLoad_;
    // Whether `installedApps` holds the answer of a load, for the leftover search.
    enum class AppListState { neverLoaded, loading, loaded };
    AppListState appListState_ = AppListState::neverLoaded;
    std::uint64_t appFileSearchGeneration_ = 0;
    std::uint64_t orphanSearchGeneration_ = 0;
    bool orphanSearchWaitsForApps_ = false;
    bool removalRunning_ = false;
    bool scheduledRunInFlight_ = false;
    std::deque<CleanRequest> queuedRetries_;
    bool retryDrainPosted_ = false;
};

} // namespace zn
