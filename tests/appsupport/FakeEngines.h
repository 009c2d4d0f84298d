#pragma once

#include "ViewModels/CleaningService.h"
#include "ViewModels/ScanService.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <stop_token>
#include <string>
#include <vector>

namespace zn::test {

// A gate the fakes wait at, on their worker thread, until the test opens it.
class Gate {
public:
    void close();
    void open();
    // Called by the fake: marks it as waiting and blocks while the gate is closed, or until `stop` is
    // requested.
    void passThrough(std::stop_token stop = {});
    bool hasWaiter() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable_any opened_;
    bool closed_ = false;
    int waiters_ = 0;
};

// Canned scan results; a category with nothing canned yields an empty result. Thread-safe.
class FakeScanService final : public ScanService {
public:
    void setResult(CategoryResult result);
    void setDiskInfo(DiskInfo info);
    // Scans of `category` wait until the test opens its gate.
    Gate& gate(CleaningCategory category);

    CategoryResult scanCategory(CleaningCategory category) override;
    DiskInfo getDiskInfo() override;

    std::vector<CleaningCategory> scannedCategories() const;
    int diskInfoReads() const;

private:
    mutable std::mutex mutex_;
    std::map<CleaningCategory, CategoryResult> results_;
    std::map<CleaningCategory, Gate> gates_;
    std::vector<CleaningCategory> scanned_;
    DiskInfo diskInfo_;
    int diskInfoReads_ = 0;
};

// Behaves like the cleaning engine as far as the application state can see: reports progress per item,
// "removes" every path unless told otherwise, defers permission failures, purges for purgeable space.
class FakeCleaningService final : public CleaningService {
public:
    enum class Fate { removed, permissionDenied, failed, leftAlone };

    void setFate(const std::string& path, Fate fate);
    // What the administrator pass removes of the items deferred to it; the rest survive it.
    void setAdministratorRemoves(std::set<std::string> paths);
    // What the administrator pass keeps for other users: each path with the entry of another user in it.
    void setAdministratorKeeps(std::map<std::string, std::string> keptEntries);
    void setPurgeReleases(std::int64_t bytes);
    Gate& gate() { return gate_; }

    CleaningResult cleanItems(const std::vector<CleanableItem>& items,
                              const std::function<void(double)>& progress, PathReading reading) override;
    CleaningResult cleanWithAdminPrivileges(const std::vector<CleanableItem>& items,
                                            PathReading reading) override;
    std::int64_t purgePurgeableSpace() override;
    int purges() const;

    std::vector<std::vector<CleanableItem>> cleanCalls() const;
    std::vector<std::vector<CleanableItem>> administratorCalls() const;

private:
    mutable std::mutex mutex_;
    std::map<std::string, Fate> fates_;
    std::set<std::string> administratorRemoves_;
    std::map<std::string, std::string> administratorKeeps_;
    std::int64_t purgeReleases_ = 0;
    Gate gate_;
    std::vector<std::vector<CleanableItem>> cleanCalls_;
    std::vector<std::vector<CleanableItem>> administratorCalls_;
    int purges_ = 0;
};

} // namespace zn::test
