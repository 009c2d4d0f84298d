// The smart scan ("Quick Clean") with its progress creep, and the scan of one category.

#include "ViewModels/AppState+Background.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace zn {

namespace {

using enum CleaningCategory;

constexpr std::array<CleaningCategory, 4> kSmartScanCategories{systemJunk, userCache, purgeableSpace,
                                                               privacySweep};
constexpr double kBand = 0.25;
constexpr double kCreepStep = 0.01;
constexpr std::chrono::milliseconds kCreepInterval{650};

} // namespace

// The side task that moves the bar while a slow scanner works. It stops short of its ceiling and ends by
// itself once the state is neither scanning nor cleaning, so a leftover creep can never move a finished bar.
struct AppState::WarmupCreep {
    double ceiling = 0;
    std::string categoryName;
    double value = 0;
    bool cancelled = false;
    ScheduledCall pendingStep;
};

void AppState::startSmartScan() {
    if (isBusy())
        return;
    beginFlow();
    setCurrentScanCategory("Getting ready");
    setScanProgress(0.01);
    setScanState(ScanState::scanning(scanProgress_, currentScanCategory_));
    setCategoryResults({});
    setTotalJunkSize(0);
    setSelectedCleanupItems({});
    setDeselectedItems({});
    QMetaObject::invokeMethod(
        this, [this] { smartScanStep(0); }, Qt::QueuedConnection);
}

void AppState::smartScanStep(std::size_t position) {
    if (position == kSmartScanCategories.size()) {
        setScanProgress(1.0);
        cancelScanWarmup();
        setScanState(ScanState::completed());
        loadDiskInfo();
        return;
    }
    CleaningCategory category = kSmartScanCategories[position];
    std::string name(displayName(category));
    double floor = position == 0 ? 0.01 : static_cast<double>(position) * kBand;
    setScanProgress(std::max(scanProgress_, floor));
    setCurrentScanCategory(name);
    setScanState(ScanState::scanning(scanProgress_, name));
    startScanWarmupProgress(std::min(static_cast<double>(position + 1) * kBand - kCreepStep, 0.99), name);

    auto scanner = services_.scanner;
    runInBackground([scanner, category] { return scanner->scanCategory(category); },
                    [this, position, category, name](CategoryResult result) {
                        std::int64_t found = result.totalSize;
                        storeCategoryResult(category, std::move(result));
                        setTotalJunkSize(saturatingAdd(totalJunkSize_, found));
                        cancelScanWarmup();
                        double bandEnd = static_cast<double>(position + 1) * kBand;
                        setScanProgress(bandEnd);
                        setScanState(ScanState::scanning(bandEnd, name));
                        smartScanStep(position + 1);
                    });
}

void AppState::startScanWarmupProgress(double ceiling, std::string categoryName) {
    cancelScanWarmup();
    auto creep = std::make_shared<WarmupCreep>();
    creep->ceiling = ceiling;
    creep->categoryName = std::move(categoryName);
    creep->value = std::max(scanProgress_, 0.01);
    scanWarmup_ = creep;
    scheduleWarmupStep(creep);
}

void AppState::scheduleWarmupStep(const std::shared_ptr<WarmupCreep>& creep) {
    creep->pendingStep = services_.clock->callAfter(kCreepInterval, this, [this, creep] {
        if (creep->cancelled || !scanState_.isBusy() || scanProgress_ >= creep->ceiling)
            return;
        double next = std::min(std::max(creep->value, scanProgress_) + kCreepStep, creep->ceiling);
        setScanProgress(next);
        setScanState(ScanState::scanning(next, creep->categoryName));
        if (creep->cancelled)
            return;
        creep->value = next;
        scheduleWarmupStep(creep);
    });
}

void AppState::cancelScanWarmup() {
    if (!scanWarmup_)
        return;
    scanWarmup_->cancelled = true;
    scanWarmup_->pendingStep.cancel();
    scanWarmup_.reset();
}

void AppState::scanSingleCategory(CleaningCategory category) {
    if (isBusy())
        return;
    beginFlow();
    setScanState(ScanState::scanning(0, std::string(rawValue(category))));
    setScanProgress(0);
    QMetaObject::invokeMethod(
        this,
        [this, category] {
            setScanProgress(0.5);
            clearSelectionState(category);
            auto scanner = services_.scanner;
            runInBackground([scanner, category] { return scanner->scanCategory(category); },
                            [this, category](CategoryResult result) {
                                storeCategoryResult(category, std::move(result));
                                setTotalJunkSize(sumOfStoredTotals());
                                setScanProgress(1.0);
                                setScanState(ScanState::completed());
                            });
        },
        Qt::QueuedConnection);
}

} // namespace zn
