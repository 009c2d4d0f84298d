// The cleaning flows, their shared finish and the question about running browsers.

#include "ViewModels/AppState+Background.h"
#include "ViewModels/BrowserQuitQuestion.h"
#include "ViewModels/CleanAtOnce.h"
#include "ViewModels/CleanOutcome.h"
#include "ViewModels/ProgressRelay.h"

#include <chrono>

namespace zn {

namespace {

constexpr std::chrono::milliseconds kWaitForBrowsersToQuit{1500};
constexpr std::chrono::milliseconds kCleanedStateShownFor{3000};

std::set<CleaningCategory> categoriesOf(const std::vector<CleanableItem>& items) {
    std::set<CleaningCategory> categories;
    for (const auto& item : items)
        categories.insert(item.category);
    return categories;
}

} // namespace

void AppState::beginFlow() {
    ++flowGeneration_;
}

void AppState::afterBrowsersQuit(bool waitForBrowsers, std::function<void()> next) {
    if (waitForBrowsers)
        services_.clock->callAfter(kWaitForBrowsersToQuit, this, std::move(next));
    else
        QMetaObject::invokeMethod(this, std::move(next), Qt::QueuedConnection);
}

void AppState::cleanAll() {
    if (isBusy())
        return;
    auto items = selectedItemsToClean();
    if (items.empty())
        return;
    const auto categories = categoriesOf(items);
    // Handed on, never copied: the list may be long, and the flow goes on once at most.
    auto list = std::make_shared<std::vector<CleanableItem>>(std::move(items));
    prepareBrowserPrivacyCleanupIfNeeded(categories, [this, list](bool waitForBrowsers) {
        beginFlow();
        setScanState(ScanState::cleaning(0));
        setCleanProgress(0);
        afterBrowsersQuit(waitForBrowsers, [this, list] {
            runClean({list, Pruning::allCategories, std::nullopt, std::nullopt, true});
        });
    });
}

void AppState::cleanCategory(CleaningCategory category) {
    auto found = categoryResults_->find(category);
    if (found == categoryResults_->end() || isBusy())
        return;
    const std::vector<CleanableItem>& stored = found->second.items;
    const auto selectedCount = static_cast<std::size_t>(selectedCountInCategory(category));
    if (selectedCount == 0)
        return;
    // Every item picked, the stored list itself is cleaned, not a copy of it.
    std::shared_ptr<const std::vector<CleanableItem>> list = sharedItems(category);
    if (selectedCount < stored.size()) {
        std::vector<CleanableItem> items;
        for (const auto& item : stored)
            if (isItemSelected(item))
                items.push_back(item);
        list = std::make_shared<const std::vector<CleanableItem>>(std::move(items));
    }
    prepareBrowserPrivacyCleanupIfNeeded({category}, [this, list, category](bool waitForBrowsers) {
        beginFlow();
        setScanState(ScanState::cleaning(0));
        setCleanProgress(0);
        afterBrowsersQuit(waitForBrowsers, [this, list, category] {
            runClean({list, Pruning::oneCategory, category, std::nullopt, false});
        });
    });
}

void AppState::scanAndCleanCategory(CleaningCategory category) {
    if (isBusy() || !isCleanedAtOnce(category))
        return;
    prepareBrowserPrivacyCleanupIfNeeded({category}, [this, category](bool waitForBrowsers) {
        beginFlow();
        setScanState(ScanState::scanning(0, std::string(rawValue(category))));
        setScanProgress(0);
        setCleanProgress(0);
        afterBrowsersQuit(waitForBrowsers, [this, category] {
            setScanProgress(0.35);
            clearSelectionState(category);
            auto scanner = services_.scanner;
            // The copies the clean needs are made on the worker: the result may hold a hundred thousand items.
            struct Scanned {
                CategoryResult stored;
                CategoryResult result;
                std::vector<CleanableItem> items;
            };
            runInBackground(
                [scanner, category] {
                    Scanned scanned{scanner->scanCategory(category), {}, {}};
                    for (const auto& item : scanned.stored.items)
                        if (item.isSelected)
                            scanned.items.push_back(item);
                    if (!scanned.items.empty())
                        scanned.result = scanned.stored;
                    return scanned;
                },
                [this, category](Scanned scanned) {
                    storeCategoryResult(category, std::move(scanned.stored));
                    setTotalJunkSize(sumOfStoredTotals());
                    if (scanned.items.empty()) {
                        setScanProgress(1.0);
                        setScanState(ScanState::completed());
                        loadDiskInfo();
                        return;
                    }
                    setScanState(ScanState::cleaning(0));
                    runClean({std::make_shared<const std::vector<CleanableItem>>(std::move(scanned.items)),
                              Pruning::scannedCategory, category, std::move(scanned.result),
                              true});
                });
        });
    });
}

void AppState::retryCleanItems(CleanRequest request) {
    beginFlow();
    setScanState(ScanState::cleaning(0));
    setCleanProgress(0);
    runClean(std::move(request));
}

void AppState::requestFullDiskAccessAndRetry(std::vector<CleanableItem> items,
                                             const PermissionPromptContext& context) {
    setPendingPermissionRetryItems(items);
    std::vector<std::string> paths;
    for (const auto& item : items)
        paths.push_back(item.path);
    // The uninstaller's files were checked to have no link on their way; the retry must not follow one
    // that appeared since.
    const PathReading reading = context.kind() == PermissionPromptContext::Kind::uninstall
                                    ? PathReading::asChecked
                                    : PathReading::resolvingLinks;
    QPointer<AppState> self(this);
    services_.permission->requestAccess(context, std::move(paths), [self, items, reading] {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, items, reading] {
                if (self)
                    self->retryAfterGrant(items, reading);
            },
            Qt::QueuedConnection);
    });
}

void AppState::retryAfterGrant(std::vector<CleanableItem> items, PathReading reading) {
    setPendingPermissionRetryItems({});
    setCleanError(std::nullopt);
    setCleanErrorIsFDAFixable(false);
    if (items.empty())
        return;
    queuedRetries_.push_back({std::make_shared<const std::vector<CleanableItem>>(std::move(items)),
                              Pruning::allCategories, std::nullopt, std::nullopt, false, reading});
    runQueuedRetryWhenFree();
}

void AppState::runQueuedRetryWhenFree() {
    if (queuedRetries_.empty() || retryDrainPosted_)
        return;
    // Checked again in the next turn: the flow that just got free may still be finishing this one.
    retryDrainPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            retryDrainPosted_ = false;
            if (queuedRetries_.empty() || isBusy())
                return;
            auto request = std::move(queuedRetries_.front());
            queuedRetries_.pop_front();
            retryCleanItems(std::move(request));
        },
        Qt::QueuedConnection);
}

void AppState::runClean(CleanRequest request) {
    // The engine reports once per item; the screens hear at most one report a frame.
    auto relay = std::make_shared<ProgressRelay>(*services_.clock, this,
                                                 [this](double fraction) { reportCleanProgress(fraction); });
    auto progress = [relay](double fraction) { relay->report(fraction); };
    auto cleaner = services_.cleaner;
    // Shared with the worker, not copied: the list may be long.
    auto shared = std::make_shared<const CleanRequest>(std::move(request));
    // The results as they stand are pruned on the worker too: copying a hundred thousand items would hold
    // the window up. Should they be replaced meanwhile, the replacement is pruned on arrival instead.
    struct Finished {
        CleanPassOutcome outcome;
        std::shared_ptr<const std::map<CleaningCategory, CategoryResult>> stored;
        PrunedResults pruned;
    };
    runInBackground(
        [cleaner, shared, progress, stored = categoryResults_]() mutable {
            Finished finished{runCleanPass(*cleaner, *shared->items, progress, shared->reading),
                              std::move(stored), {}};
            finished.pruned = prunedResults(*finished.stored, *shared, finished.outcome.deletedPaths);
            return finished;
        },
        [this, relay, shared](Finished finished) mutable {
            relay->finish();
            // Still stored, the results are left to the store, which frees them off this thread and hands
            // their memory back once they are replaced. Replaced during the clean, this is their last owner:
            // they go with the rest below, off this thread as well.
            if (finished.stored == categoryResults_)
                finished.stored.reset();
            else
                finished.pruned = prunedResults(*categoryResults_, *shared, finished.outcome.deletedPaths);
            finishClean(*shared, finished.outcome, std::move(finished.pruned));
            destroyInBackground(std::move(finished));
            destroyInBackground(std::move(shared));
        });
}

void AppState::reportCleanProgress(double progress) {
    setCleanProgress(progress);
    setScanState(ScanState::cleaning(progress));
}

void AppState::finishClean(const CleanRequest& request, CleanPassOutcome& outcome, PrunedResults pruned) {
    const CleaningResult& result = outcome.result;
    setTotalFreedSpace(result.freedSpace);
    setLastCleanedDate(services_.clock->now());
    if (request.hapticSignal && result.deletedCount > 0)
        services_.playLevelChangeFeedback();
    storePrunedResults(std::move(pruned));
    setTotalJunkSize(sumOfStoredTotals());
    handleCleanOutcome(result.errors, std::move(outcome.survivors), result.keptForOtherUsers);
    setScanState(ScanState::cleaned());
    loadDiskInfo();
    // Back to idle only if nothing has started since; otherwise a scan begun right after "Done" would be
    // shown as idle in mid-run and a second one could start.
    auto generation = flowGeneration_;
    services_.clock->callAfter(kCleanedStateShownFor, this, [this, generation] {
        if (generation != flowGeneration_)
            return;
        setScanState(ScanState::idle());
        setTotalFreedSpace(0);
    });
}

AppState::PrunedResults AppState::prunedResults(const std::map<CleaningCategory, CategoryResult>& stored,
                                                const CleanRequest& request, const PathLookup& deletedPaths) {
    // Built afresh rather than copied and edited: a pruned result may have held a hundred thousand items.
    PrunedResults pruned;
    if (request.pruning == Pruning::scannedCategory) {
        for (const auto& [category, result] : stored)
            if (category != *request.category)
                pruned.results.emplace(category, result);
        if (auto remaining = withoutRemovedItems(*request.scanned, deletedPaths))
            pruned.results.emplace(*request.category, std::move(*remaining));
        return pruned;
    }
    for (const auto& [category, result] : stored) {
        if (request.pruning == Pruning::oneCategory && category != *request.category) {
            pruned.results.emplace(category, result);
            continue;
        }
        for (const auto& item : result.items)
            if (deletedPaths.contains(item.path))
                pruned.removedIds.push_back(item.id);
        if (auto remaining = withoutRemovedItems(result, deletedPaths))
            pruned.results.emplace(category, std::move(*remaining));
    }
    return pruned;
}

void AppState::storePrunedResults(PrunedResults pruned) {
    if (!pruned.removedIds.empty()) {
        auto picked = selectedCleanupItems_;
        auto deselected = deselectedItems_;
        for (const Uuid& id : pruned.removedIds) {
            picked.erase(id);
            deselected.erase(id);
        }
        setSelectedCleanupItems(std::move(picked));
        setDeselectedItems(std::move(deselected));
    }
    setCategoryResults(std::move(pruned.results));
}

void AppState::handleCleanOutcome(const std::vector<std::string>& errors,
                                  std::vector<CleanableItem> survivors, const std::vector<KeptItem>& kept) {
    if (errors.empty() && survivors.empty() && kept.empty()) {
        setCleanError(std::nullopt);
        setCleanErrorIsFDAFixable(false);
        setPendingPermissionRetryItems({});
        return;
    }
    bool fixable = !survivors.empty() && !services_.probeFullDiskAccess();
    setCleanErrorIsFDAFixable(fixable);
    auto message = cleanOutcomeMessage(errors, survivors, fixable, kept);
    setPendingPermissionRetryItems(std::move(survivors));
    setCleanError(std::move(message));
}

void AppState::prepareBrowserPrivacyCleanupIfNeeded(const std::set<CleaningCategory>& categories,
                                                    std::function<void(bool waitForBrowsers)> proceed) {
    if (!categories.contains(CleaningCategory::privacySweep)) {
        proceed(false);
        return;
    }
    std::vector<RunningApplication> browsers;
    std::vector<std::string> names;
    for (auto& application : services_.workspace->runningApplications()) {
        if (auto name = browserDisplayName(application.bundleIdentifier)) {
            names.emplace_back(*name);
            browsers.push_back(std::move(application));
        }
    }
    if (browsers.empty()) {
        proceed(false);
        return;
    }
    browserQuestionOpen_ = true;
    QPointer<AppState> self(this);
    services_.prompter->open(browserQuitQuestion(std::move(names)),
                             [self, browsers, proceed = std::move(proceed)](bool quitThem) {
                                 if (!self)
                                     return;
                                 self->browserQuestionOpen_ = false;
                                 if (!quitThem) {
                                     self->runQueuedRetryWhenFree();
                                     return;
                                 }
                                 for (const auto& browser : browsers)
                                     self->services_.workspace->terminate(browser);
                                 proceed(true);
                             });
}

} // namespace zn
