#include "appsupport/FakeEngines.h"

namespace zn::test {

void Gate::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
}

void Gate::open() {
    {
        std::lock_guard lock(mutex_);
        closed_ = false;
    }
    opened_.notify_all();
}

void Gate::passThrough(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    ++waiters_;
    opened_.wait(lock, stop, [this] { return !closed_; });
    --waiters_;
}

bool Gate::hasWaiter() const {
    std::lock_guard lock(mutex_);
    return waiters_ > 0;
}

void FakeScanService::setResult(CategoryResult result) {
    std::lock_guard lock(mutex_);
    results_[result.category] = std::move(result);
}

void FakeScanService::setDiskInfo(DiskInfo info) {
    std::lock_guard lock(mutex_);
    diskInfo_ = info;
}

Gate& FakeScanService::gate(CleaningCategory category) {
    std::lock_guard lock(mutex_);
    return gates_[category];
}

CategoryResult FakeScanService::scanCategory(CleaningCategory category) {
    Gate* gate = nullptr;
    {
        std::lock_guard lock(mutex_);
        scanned_.push_back(category);
        gate = &gates_[category];
    }
    gate->passThrough();
    std::lock_guard lock(mutex_);
    auto found = results_.find(category);
    if (found != results_.end())
        return found->second;
    return {Uuid::random(), category, {}, 0};
}

DiskInfo FakeScanService::getDiskInfo() {
    std::lock_guard lock(mutex_);
    ++diskInfoReads_;
    return diskInfo_;
}

std::vector<CleaningCategory> FakeScanService::scannedCategories() const {
    std::lock_guard lock(mutex_);
    return scanned_;
}

int FakeScanService::diskInfoReads() const {
    std::lock_guard lock(mutex_);
    return diskInfoReads_;
}

void FakeCleaningService::setFate(const std::string& path, Fate fate) {
    std::lock_guard lock(mutex_);
    fates_[path] = fate;
}

void FakeCleaningService::setAdministratorRemoves(std::set<std::string> paths) {
    std::lock_guard lock(mutex_);
    administratorRemoves_ = std::move(paths);
}

void FakeCleaningService::setPurgeReleases(std::int64_t bytes) {
    std::lock_guard lock(mutex_);
    purgeReleases_ = bytes;
}

CleaningResult FakeCleaningService::cleanItems(const std::vector<CleanableItem>& items,
                                               const std::function<void(double)>& progress, PathReading) {
    {
        std::lock_guard lock(mutex_);
        cleanCalls_.push_back(items);
    }
    gate_.passThrough();
    std::lock_guard lock(mutex_);
    CleaningResult result;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto& item = items[i];
        progress(static_cast<double>(i + 1) / static_cast<double>(items.size()));
        if (item.category == CleaningCategory::purgeableSpace) {
            result.freedSpace += purgeReleases_;
            result.deletedCount += purgeReleases_ > 0 ? 1 : 0;
            continue;
        }
        auto fate = fates_.contains(item.path) ? fates_[item.path] : Fate::removed;
        switch (fate) {
        case Fate::removed:
            result.freedSpace += item.size;
            ++result.deletedCount;
            result.deletedPaths.insert(item.path);
            break;
        case Fate::permissionDenied:
            result.deferredToAdmin.push_back(item);
            break;
        case Fate::failed:
            result.errors.push_back(item.name + " at " + item.path + ": Input/output error");
            break;
        case Fate::leftAlone:
            break;
        }
    }
    return result;
}

CleaningResult FakeCleaningService::cleanWithAdminPrivileges(const std::vector<CleanableItem>& items,
                                                             PathReading) {
    std::lock_guard lock(mutex_);
    administratorCalls_.push_back(items);
    CleaningResult result;
    for (const auto& item : items) {
        if (administratorRemoves_.contains(item.path)) {
            result.freedSpace += item.size;
            ++result.deletedCount;
            result.deletedPaths.insert(item.path);
        } else if (const auto kept = administratorKeeps_.find(item.path); kept != administratorKeeps_.end()) {
            result.keptForOtherUsers.push_back({item.path, {kept->second}});
        } else {
            result.errors.push_back(item.name + " at " + item.path + " survived admin removal");
        }
    }
    return result;
}

void FakeCleaningService::setAdministratorKeeps(std::map<std::string, std::string> keptEntries) {
    std::lock_guard lock(mutex_);
    administratorKeeps_ = std::move(keptEntries);
}

std::int64_t FakeCleaningService::purgePurgeableSpace() {
    std::lock_guard lock(mutex_);
    ++purges_;
    return purgeReleases_;
}

int FakeCleaningService::purges() const {
    std::lock_guard lock(mutex_);
    return purges_;
}

std::vector<std::vector<CleanableItem>> FakeCleaningService::cleanCalls() const {
    std::lock_guard lock(mutex_);
    return cleanCalls_;
}

std::vector<std::vector<CleanableItem>> FakeCleaningService::administratorCalls() const {
    std::lock_guard lock(mutex_);
    return administratorCalls_;
}

} // namespace zn::test
