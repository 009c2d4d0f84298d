#include "ViewModels/AppState.h"

#include "ViewModels/AppState+Background.h"
#include "ViewModels/CleanAtOnce.h"

#include <algorithm>

namespace zn {

namespace {

const QString kOnboardingCompleteKey = QStringLiteral("ZelvaNexal.OnboardingComplete");

void setMembership(std::unordered_set<Uuid>& set, const Uuid& id, bool member) {
    if (member)
        set.insert(id);
    else
        set.erase(id);
}

} // namespace

AppState::AppState(bool performStartupTasks, AppStateServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)),
      scheduler_(std::make_unique<SchedulerService>(services_.clock, services_.defaults)) {
    if (!performStartupTasks)
        return;
    loadDiskInfo();
    checkFullDiskAccess();
    loadInstalledApps();
    QPointer<AppState> self(this);
    scheduler_->setOnTrigger([self] {
        if (self)
            self->runScheduledScan();
    });
    // The only place the scheduler is started: a state built before onboarding ends leaves it off.
    if (services_.defaults->boolForKey(kOnboardingCompleteKey))
        scheduler_->start();
}

AppState::~AppState() {
    cancelScanWarmup();
}

template <typename T, typename Signal> void AppState::publish(T& field, T value, Signal signal) {
    field = std::move(value);
    emit(this->*signal)();
}

void AppState::setSelectedCategory(CleaningCategory v) {
    publish(selectedCategory_, v, &AppState::selectedCategoryChanged);
}
void AppState::setScanState(ScanState v) {
    publish(scanState_, std::move(v), &AppState::scanStateChanged);
    if (!isBusy())
        runQueuedRetryWhenFree();
}
void AppState::setCategoryResults(std::map<CleaningCategory, CategoryResult> v) {
    publish(categoryResults_, std::move(v), &AppState::categoryResultsChanged);
}
void AppState::setDiskInfo(DiskInfo v) {
    publish(diskInfo_, v, &AppState::diskInfoChanged);
}
void AppState::setTotalJunkSize(std::int64_t v) {
    publish(totalJunkSize_, v, &AppState::totalJunkSizeChanged);
}
void AppState::setTotalFreedSpace(std::int64_t v) {
    publish(totalFreedSpace_, v, &AppState::totalFreedSpaceChanged);
}
void AppState::setScanProgress(double v) {
    publish(scanProgress_, v, &AppState::scanProgressChanged);
}
void AppState::setCleanProgress(double v) {
    publish(cleanProgress_, v, &AppState::cleanProgressChanged);
}
void AppState::setCurrentScanCategory(std::string v) {
    publish(currentScanCategory_, std::move(v), &AppState::currentScanCategoryChanged);
}
void AppState::setShowCleanConfirmation(bool v) {
    publish(showCleanConfirmation_, v, &AppState::showCleanConfirmationChanged);
}
void AppState::setLastCleanedDate(std::optional<Date> v) {
    publish(lastCleanedDate_, v, &AppState::lastCleanedDateChanged);
}
void AppState::setSelectedCleanupItems(std::unordered_set<Uuid> v) {
    publish(selectedCleanupItems_, std::move(v), &AppState::selectedCleanupItemsChanged);
}
void AppState::setDeselectedItems(std::unordered_set<Uuid> v) {
    publish(deselectedItems_, std::move(v), &AppState::deselectedItemsChanged);
}
void AppState::setHasFullDiskAccess(bool v) {
    publish(hasFullDiskAccess_, v, &AppState::hasFullDiskAccessChanged);
}
void AppState::setFdaBannerDismissed(bool v) {
    publish(fdaBannerDismissed_, v, &AppState::fdaBannerDismissedChanged);
}
void AppState::setCleanError(std::optional<std::string> v) {
    publish(cleanError_, std::move(v), &AppState::cleanErrorChanged);
}
void AppState::setCleanErrorIsFDAFixable(bool v) {
    publish(cleanErrorIsFDAFixable_, v, &AppState::cleanErrorIsFDAFixableChanged);
}
void AppState::setPendingPermissionRetryItems(std::vector<CleanableItem> v) {
    publish(pendingPermissionRetryItems_, std::move(v), &AppState::pendingPermissionRetryItemsChanged);
}
void AppState::setInstalledApps(std::vector<InstalledApp> v) {
    publish(installedApps_, std::move(v), &AppState::installedAppsChanged);
}
void AppState::setSelectedApp(std::optional<InstalledApp> v) {
    publish(selectedApp_, std::move(v), &AppState::selectedAppChanged);
}
void AppState::setDiscoveredFiles(std::vector<std::string> v) {
    publish(discoveredFiles_, std::move(v), &AppState::discoveredFilesChanged);
}
void AppState::setSelectedFiles(std::set<std::string> v) {
    publish(selectedFiles_, std::move(v), &AppState::selectedFilesChanged);
}
void AppState::setOrphanedFiles(std::vector<std::string> v) {
    publish(orphanedFiles_, std::move(v), &AppState::orphanedFilesChanged);
}
void AppState::setIsSearchingOrphans(bool v) {
    publish(isSearchingOrphans_, v, &AppState::isSearchingOrphansChanged);
}
void AppState::setIsLoadingApps(bool v) {
    publish(isLoadingApps_, v, &AppState::isLoadingAppsChanged);
}
void AppState::setIsScanningAppFiles(bool v) {
    publish(isScanningAppFiles_, v, &AppState::isScanningAppFilesChanged);
}
void AppState::setRemovalError(std::optional<std::string> v) {
    publish(removalError_, std::move(v), &AppState::removalErrorChanged);
}
void AppState::setRemovalNeedsFullDiskAccess(bool v) {
    publish(removalNeedsFullDiskAccess_, v, &AppState::removalNeedsFullDiskAccessChanged);
}
void AppState::setLastFailedRemovalURLs(std::vector<std::string> v) {
    publish(lastFailedRemovalURLs_, std::move(v), &AppState::lastFailedRemovalURLsChanged);
}
void AppState::setAppFileScanLocationCount(std::int64_t v) {
    publish(appFileScanLocationCount_, v, &AppState::appFileScanLocationCountChanged);
}

std::vector<CategoryResult> AppState::allResults() const {
    std::vector<CategoryResult> results;
    for (CleaningCategory category : scannableCategories()) {
        auto found = categoryResults_.find(category);
        if (found != categoryResults_.end() && found->second.totalSize > 0)
            results.push_back(found->second);
    }
    return results;
}

std::vector<CleanableItem> AppState::selectedItemsToClean() const {
    std::vector<CleanableItem> items;
    for (const auto& result : allResults())
        for (const auto& item : result.items)
            if (isItemSelected(item))
                items.push_back(item);
    return items;
}

bool AppState::selectedItemsRequireConfirmation() const {
    auto items = selectedItemsToClean();
    return std::any_of(items.begin(), items.end(), [](const CleanableItem& item) {
        return !isCleanedAtOnce(item.category) || !item.isSelected;
    });
}

std::int64_t AppState::currentAppFileSearchLocationCount() const {
    if (isScanningAppFiles_ && appFileScanLocationCount_ > 0)
        return appFileScanLocationCount_;
    return static_cast<std::int64_t>(discoveredFiles_.size());
}

bool AppState::isBusy() const {
    return scanState_.isBusy() || browserQuestionOpen_;
}

bool AppState::isItemSelected(const CleanableItem& item) const {
    return item.isSelected ? !deselectedItems_.contains(item.id) : selectedCleanupItems_.contains(item.id);
}

void AppState::toggleItem(const CleanableItem& item) {
    bool selected = isItemSelected(item);
    if (item.isSelected) {
        auto deselected = deselectedItems_;
        setMembership(deselected, item.id, selected);
        setDeselectedItems(std::move(deselected));
    } else {
        auto picked = selectedCleanupItems_;
        setMembership(picked, item.id, !selected);
        setSelectedCleanupItems(std::move(picked));
    }
}

void AppState::selectAllInCategory(CleaningCategory category) {
    auto found = categoryResults_.find(category);
    if (found == categoryResults_.end())
        return;
    auto picked = selectedCleanupItems_;
    auto deselected = deselectedItems_;
    for (const auto& item : found->second.items)
        setMembership(item.isSelected ? deselected : picked, item.id, !item.isSelected);
    setSelectedCleanupItems(std::move(picked));
    setDeselectedItems(std::move(deselected));
}

void AppState::deselectAllInCategory(CleaningCategory category) {
    auto found = categoryResults_.find(category);
    if (found == categoryResults_.end())
        return;
    auto picked = selectedCleanupItems_;
    auto deselected = deselectedItems_;
    for (const auto& item : found->second.items)
        setMembership(item.isSelected ? deselected : picked, item.id, item.isSelected);
    setSelectedCleanupItems(std::move(picked));
    setDeselectedItems(std::move(deselected));
}

void AppState::clearSelectionState(CleaningCategory category) {
    auto found = categoryResults_.find(category);
    if (found == categoryResults_.end())
        return;
    auto picked = selectedCleanupItems_;
    auto deselected = deselectedItems_;
    for (const auto& item : found->second.items) {
        picked.erase(item.id);
        deselected.erase(item.id);
    }
    setSelectedCleanupItems(std::move(picked));
    setDeselectedItems(std::move(deselected));
}

std::int64_t AppState::selectedSizeInCategory(CleaningCategory category) const {
    auto found = categoryResults_.find(category);
    if (found == categoryResults_.end())
        return 0;
    std::int64_t size = 0;
    for (const auto& item : found->second.items)
        if (isItemSelected(item))
            size = saturatingAdd(size, item.size);
    return size;
}

int AppState::selectedCountInCategory(CleaningCategory category) const {
    auto found = categoryResults_.find(category);
    if (found == categoryResults_.end())
        return 0;
    return static_cast<int>(
        std::count_if(found->second.items.begin(), found->second.items.end(),
                      [this](const CleanableItem& item) { return isItemSelected(item); }));
}

void AppState::storeCategoryResult(CleaningCategory category, CategoryResult result) {
    auto results = categoryResults_;
    results[category] = std::move(result);
    setCategoryResults(std::move(results));
}

std::int64_t AppState::sumOfStoredTotals() const {
    std::int64_t total = 0;
    for (const auto& [category, result] : categoryResults_)
        total = saturatingAdd(total, result.totalSize);
    return total;
}

void AppState::loadDiskInfo() {
    auto generation = ++diskInfoGeneration_;
    auto scanner = services_.scanner;
    runInBackground([scanner] { return scanner->getDiskInfo(); },
                    [this, generation](DiskInfo info) {
                        if (generation == diskInfoGeneration_)
                            setDiskInfo(info);
                    });
}

void AppState::loadInstalledApps() {
    setIsLoadingApps(true);
    appListState_ = AppListState::loading;
    auto generation = ++installedAppsGeneration_;
    auto fetch = services_.fetchInstalledApps;
    runInBackground([fetch] { return fetch(); },
                    [this, generation](std::vector<InstalledApp> apps) {
                        if (generation != installedAppsGeneration_)
                            return;
                        appListState_ = AppListState::loaded;
                        setInstalledApps(std::move(apps));
                        setIsLoadingApps(false);
                        if (orphanSearchWaitsForApps_)
                            startOrphanSearch();
                    });
}

void AppState::checkFullDiskAccess() {
    auto probe = services_.probeFullDiskAccess;
    runInBackground([probe] { return probe(); }, [this](bool granted) { setHasFullDiskAccess(granted); });
}

} // namespace zn
