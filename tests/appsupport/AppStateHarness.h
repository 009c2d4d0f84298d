#pragma once

#include "Platform/qt/EventLoopMainQueue.h"
#include "ViewModels/AppState.h"
#include "appsupport/FakeClock.h"
#include "appsupport/FakeEngines.h"
#include "support/FixtureTree.h"
#include "support/Patience.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <vector>

namespace zn::test {

// Runs the main thread's event loop until `condition` holds or `limit` passes (work on the thread pool
// arrives in real time); returns whether it holds.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = kPatience);
// Runs the main thread's queued work without waiting for anything.
void processQueuedWork();
// Whether anything is at `path`; a link counts as itself.
bool exists(const std::string& path);

class FakePrompter final : public QuestionPrompter {
public:
    void open(const PromptQuestion& question, std::function<void(bool accepted)> answered) override;
    void answer(bool accept);
    bool isOpen() const { return static_cast<bool>(answered_); }

    std::vector<PromptQuestion> questions;

private:
    std::function<void(bool)> answered_;
};

class FakePermissionRequester final : public PermissionRequester {
public:
    struct Request {
        PermissionPromptContext context;
        std::vector<std::string> failedPaths;
    };

    bool isRequesting() const override { return promptOpen; }
    void requestAccess(const PermissionPromptContext& context, std::vector<std::string> failedPaths,
                       std::function<void()> onGranted) override;
    // The user grants access to the open request: its action runs once.
    void grant();

    std::vector<Request> requests;
    bool promptOpen = false;

private:
    std::function<void()> onGranted_;
};

// Keeps the notifications it is asked to post; fails each one with `failure` when that is set.
class RecordingNotifier final : public Notifier {
public:
    std::optional<std::string> post(const Notification& notification) override;

    std::vector<Notification> posted;
    std::optional<std::string> failure;
};

// The Trash of the fixture home, with permission failures injected for chosen paths. Thread-safe.
class InjectingTrash {
public:
    explicit InjectingTrash(std::string homeTrash) : trash_(std::move(homeTrash), People{}) {}

    // Moving `path` fails with `error` (EACCES, EPERM, EIO...) and leaves it in place.
    void failWith(const std::string& path, int error);
    // Every move fails with `error` as a failure of the Trash itself (one that cannot be written).
    void breakWith(int error);
    // Moving `path` is refused as the real Trash refuses an item holding `entry` of another user.
    void keepFor(const std::string& path, std::string entry);
    // From now on the real Trash moves on a thread whose capabilities are lowered, so permission bits
    // refuse the move for root too and every failure is the real one.
    void moveWithoutPrivileges();
    Trash::Outcome moveToTrash(const std::string& path,
                               Trash::EntriesOfOthers others = Trash::EntriesOfOthers::refuseMove);
    const Trash& trash() const { return trash_; }

private:
    std::mutex mutex_;
    std::map<std::string, int> failures_;
    std::map<std::string, std::string> keptEntries_;
    int trashError_ = 0;
    bool withoutPrivileges_ = false;
    Trash trash_;
};

// The process table the fake workspace reads, and the signals it "sends".
struct FakeProcessTable {
    std::vector<ProcessEntry> processes;
    std::vector<std::pair<pid_t, int>> signalsSent;
};

inline constexpr uid_t kTestUser = 501;

// The installed applications the fake inventory finds. Thread-safe.
class FakeAppList {
public:
    void set(std::vector<InstalledApp> apps);
    // The next fetch takes its answer at once but hands it back only when the gate opens, or, when it
    // `stopsWhenAsked`, once its load is stopped.
    void holdNextFetch(bool stopsWhenAsked = true);
    Gate& gate() { return gate_; }
    std::vector<InstalledApp> fetch(std::stop_token stop);
    // Held fetches that ended because their load was stopped.
    int stoppedFetches() const;

private:
    mutable std::mutex mutex_;
    std::vector<InstalledApp> apps_;
    std::deque<bool> heldFetches_; // whether each stops when asked
    int stoppedFetches_ = 0;
    Gate gate_;
};

// A fake-backed application state and everything it talks to.
class AppStateHarness {
public:
    AppStateHarness();
    ~AppStateHarness();

    // The fakes below, as the state works through them.
    AppStateServices services();
    AppState& makeState(bool performStartupTasks = false);
    AppState& state() { return *state_; }

    // A browser's top-level process of the test user.
    void runBrowser(pid_t pid, const std::string& executable);

    // As in the program: log lines and the leftover finder's answers arrive on the event loop.
    EventLoopMainQueue mainQueue;
    FixtureTree tree;
    std::shared_ptr<FakeScanService> scanner = std::make_shared<FakeScanService>();
    // When set, the state scans or cleans through these instead of the fakes.
    std::shared_ptr<ScanService> realScanner;
    std::shared_ptr<CleaningService> realCleaner;
    std::shared_ptr<FakeCleaningService> cleaner = std::make_shared<FakeCleaningService>();
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    std::shared_ptr<FakePrompter> prompter = std::make_shared<FakePrompter>();
    std::shared_ptr<FakePermissionRequester> permission = std::make_shared<FakePermissionRequester>();
    // When set, the state asks this for access instead of the fake (a real coordinator, say).
    std::shared_ptr<PermissionRequester> realPermission;
    std::shared_ptr<RecordingNotifier> notifier = std::make_shared<RecordingNotifier>();
    std::shared_ptr<FakeProcessTable> processes = std::make_shared<FakeProcessTable>();
    std::shared_ptr<UserDefaults> defaults;
    std::shared_ptr<std::atomic<bool>> fullDiskAccess = std::make_shared<std::atomic<bool>>(true);
    std::shared_ptr<FakeAppList> installedApps = std::make_shared<FakeAppList>();
    std::shared_ptr<int> hapticSignals = std::make_shared<int>(0);
    // The uninstaller's folders: the fixture's "home" and "system" (standing in for "/"), with their
    // search locations, leftover rules (for the current user, "system/tmp" and the like shared) and
    // Trash. Tests may change them before makeState().
    std::string home;
    std::string systemRoot;
    std::shared_ptr<const LeftoverRules> leftoverRules;
    std::shared_ptr<InjectingTrash> trash;
    UninstallServices uninstall;

private:
    std::unique_ptr<AppState> state_;
};

// Items and results as scanners build them.
CleanableItem makeItem(CleaningCategory category, const std::string& path, std::int64_t size,
                       bool selectedByDefault);
CategoryResult makeResult(CleaningCategory category, std::vector<CleanableItem> items);

} // namespace zn::test
