#include "ViewModels/AppState.h"

#include "ViewModels/AppState+Background.h"
#include "ViewModels/CleanAtOnce.h"

#include <algorithm>

namespace zn {

namespace {

const QString kOnboardingCompleteKey = QStringLiteral("ZelvaNexal.OnboardingComplete");
std::size_t itemCount(const std::map<CleaningCategory, CategoryResult>& results) {
    std::size_t count = 0;
    for (const auto& [category, result] : results)
        count += result.items.size();
    return count;
}

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
    installedAppsLoad_.request_stop();
}

template <typename T, typename Signal> void AppState::publish(T& field, T value, Signal signal) {
    field = std::move(value);
    emit(this->*signal)();
}

void AppState::setScanState(ScanState v) {
    publish(scanState_, std::move(v), &AppState::scanStateChanged);
    if (!isBusy())
        runQueuedRetryWhenFree();
}
void AppState::setCategoryResults(std::map<CleaningCategory, CategoryResult> v) {
    selectionTotals_.clear();
    // The results replaced may hold a hundred thousand items: they are freed off the main thread.
    auto replaced = std::exchange(
        categoryResults_, std::make_shared<const std::map<CleaningCategory, CategoryResult>>(std::move(v)));
    const std::size_t count = itemCount(*replaced);
    destroyInBackground(std::move(replaced), count);
    emit categoryResultsChanged();
}
std::shared_ptr<const std::vector<CleanableItem>> AppState::sharedItems(CleaningCategory category) const {
    const auto found = categoryResults_->find(category);
    if (found == categoryResults_->end())
        return nullptr;
    // Shares the ownership of all the results, pointing at this one's items.
    return {categoryResults_, &found->second.items};
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
void AppState::setLastCleanedDate(std::optional<Date> v) {
    publish(lastCleanedDate_, v, &AppState::lastCleanedDateChanged);
}
void AppState::setSelectedCleanupItems(std::unordered_set<Uuid> v) {
    selectionTotals_.clear();
    publish(selectedCleanupItems_, std::move(v), &AppState::selectedCleanupItemsChanged);
}
void AppState::setDeselectedItems(std::unordered_set<Uuid> v) {
    selectionTotals_.clear();
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

std::vector<CleaningCategory> AppState::shownCategories() const {
    std::vector<CleaningCategory> categories;
    for (CleaningCategory category : scannableCategories()) {
        auto found = categoryResults_->find(category);
        if (found != categoryResults_->end() && found->second.totalSize > 0)
            categories.push_back(category);
    }
    return categories;
}

std::vector<const CategoryResult*> AppState::shownResults() const {
    std::vector<const CategoryResult*> results;
    for (CleaningCategory category : shownCategories())
        results.push_back(&categoryResults_->at(category));
    return results;
}

std::vector<CleanableItem> AppState::selectedItemsToClean() const {
    std::vector<CleanableItem> items;
    for (const CategoryResult* result : shownResults())
        for (const auto& item : result->items)
            if (isItemSelected(item))
                items.push_back(item);
    return items;
}

std::int64_t AppState::selectedSizeToClean() const {
    std::int64_t size = 0;
    for (CleaningCategory category : shownCategories())
        size = saturatingAdd(size, selectionTotals(category).size);
    return size;
}

bool AppState::selectedItemsRequireConfirmation() const {
    const auto categories = shownCategories();
    return std::any_of(categories.begin(), categories.end(),
                       [this](CleaningCategory category) { return selectionTotals(category).needsConfirmation; });
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
    // Edited in place: a copy of a set that holds a hundred thousand choices would cost more than the click.
    bool selected = isItemSelected(item);
    selectionTotals_.clear();
    if (item.isSelected) {
        setMembership(deselectedItems_, item.id, selected);
        emit deselectedItemsChanged();
    } else {
        setMembership(selectedCleanupItems_, item.id, !selected);
        emit selectedCleanupItemsChanged();
    }
}

void AppState::selectAllInCategory(CleaningCategory category) {
    auto found = categoryResults_->find(category);
    if (found == categoryResults_->end())
        return;
    auto picked = selectedCleanupItems_;
    auto deselected = deselectedItems_;
    for (const auto& item : found->second.items)
        setMembership(item.isSelected ? deselected : picked, item.id, !item.isSelected);
    setSelectedCleanupItems(std::move(picked));
    setDeselectedItems(std::move(deselected));
}

void AppState::deselectAllInCategory(CleaningCategory category) {
    auto found = categoryResults_->find(category);
    if (found == categoryResults_->end())
        return;
    auto picked = selectedCleanupItems_;
    auto deselected = deselectedItems_;
    for (const auto& item : found->second.items)
        setMembership(item.isSelected ? deselected : picked, item.id, item.isSelected);
    setSelectedCleanupItems(std::move(picked));
    setDeselectedItems(std::move(deselected));
}

void AppState::clearSelectionState(CleaningCategory category) {
    auto found = categoryResults_->find(category);
    if (found == categoryResults_->end())
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
    return selectionTotals(category).size;
}

int AppState::selectedCountInCategory(CleaningCategory category) const {
    return selectionTotals(category).count;
}

const AppState::SelectionTotals& AppState::selectionTotals(CleaningCategory category) const {
    if (auto known = selectionTotals_.find(category); known != selectionTotals_.end())
        return known->second;
    SelectionTotals totals;
    if (auto found = categoryResults_->find(category); found != categoryResults_->end()) {
        for (const auto& item : found->second.items) {
            if (!isItemSelected(item))
                continue;
            ++totals.count;
            totals.size = saturatingAdd(totals.size, item.size);
            totals.needsConfirmation = totals.needsConfirmation || !isCleanedAtOnce(item.category) || !item.isSelected;
        }
    }
    return selectionTotals_[category] = totals;
}

void AppState::storeCategoryResult(CleaningCategory category, CategoryResult result) {
    // The result replaced is not copied first: it may hold a hundred thousand items.
    std::map<CleaningCategory, CategoryResult> results;
    for (const auto& [stored, kept] : *categoryResults_)
        if (stored != category)
            results.emplace(stored, kept);
    results.emplace(category, std::move(result));
    setCategoryResults(std::move(results));
}

std::int64_t AppState::sumOfStoredTotals() const {
    std::int64_t total = 0;
    for (const auto& [category, result] : *categoryResults_)
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
    // A rescan replaces the load in flight: that one stops at its next file, and whatever it still
    // answers is dropped below.
    installedAppsLoad_.request_stop();
    installedAppsLoad_ = std::stop_source();
    auto fetch = services_.fetchInstalledApps;
    runInBackground([fetch, stop = installedAppsLoad_.get_token()] { return fetch(stop); },
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
