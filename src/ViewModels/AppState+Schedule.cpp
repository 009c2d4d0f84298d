// The scheduled run: scan the scheduled categories, then clean, purge and notify as the schedule says.

#include "Logic/Utilities/Logger.h"
#include "Platform/core/ByteCountFormatter.h"
#include "Platform/core/StringFormat.h"
#include "ViewModels/AppState+Background.h"

namespace zn {

namespace {

const std::string kScheduledRunSource = "runScheduledScan()";
constexpr std::string_view kNotificationTitle = "Zelva Nexal";
constexpr std::string_view kNotificationBody = "Found %@ you can clean.";

} // namespace

void AppState::runScheduledScan() {
    // It clears and refills the results, so it never runs under another flow, nor beside its own last run.
    if (isBusy() || scheduledRunInFlight_) {
        Logger::shared().log("Skipped a scheduled run: a scan, clean or scheduled run is still in progress",
                             LogLevel::info, kScheduledRunSource);
        return;
    }
    scheduledRunInFlight_ = true;
    setSelectedCleanupItems({});
    setDeselectedItems({});
    setCategoryResults({});
    scheduledScanStep(scheduler_->config().categoriesToScan, 0, 0);
}

void AppState::scheduledScanStep(std::vector<CleaningCategory> categories, std::size_t position,
                                 std::int64_t total) {
    if (position == categories.size()) {
        finishScheduledScan(total);
        return;
    }
    CleaningCategory category = categories[position];
    auto scanner = services_.scanner;
    auto flow = flowGeneration_;
    runInBackground([scanner, category] { return scanner->scanCategory(category); },
                    [this, categories = std::move(categories), position, total, flow](CategoryResult result) {
                        // A scan or clean the user started meanwhile owns the results now; this run gives
                        // way.
                        if (flow != flowGeneration_) {
                            Logger::shared().log("Stopped a scheduled run: a scan or clean started",
                                                 LogLevel::info, kScheduledRunSource);
                            scheduledRunInFlight_ = false;
                            return;
                        }
                        std::int64_t found = result.totalSize;
                        storeCategoryResult(categories[position], std::move(result));
                        scheduledScanStep(std::move(categories), position + 1, saturatingAdd(total, found));
                    });
}

void AppState::finishScheduledScan(std::int64_t total) {
    setTotalJunkSize(total);
    if (scheduler_->config().autoClean && total >= scheduler_->config().minimumCleanSize)
        cleanAll();
    auto finish = [this, total] {
        scheduledRunInFlight_ = false;
        if (scheduler_->config().notifyOnCompletion)
            sendNotification(total);
    };
    if (!scheduler_->config().autoPurge) {
        finish();
        return;
    }
    auto cleaner = services_.cleaner;
    runInBackground([cleaner] { return cleaner->purgePurgeableSpace(); },
                    [finish](std::int64_t) { finish(); });
}

void AppState::sendNotification(std::int64_t freed) {
    Notification notification{std::string(kNotificationTitle),
                              formatString(kNotificationBody, {formatByteCount(freed)})};
    if (auto failure = services_.notifier->post(notification))
        Logger::shared().log("Notification not posted: " + *failure, LogLevel::error,
                             "sendNotification(freed:)");
}

} // namespace zn
