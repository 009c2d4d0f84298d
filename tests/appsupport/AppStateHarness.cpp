#include "appsupport/AppStateHarness.h"

#include "Platform/core/PathText.h"
#include "support/FixtureEngineOptions.h"
#include "support/Privileges.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>
#include <sys/stat.h>

namespace zn::test {

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

void processQueuedWork() {
    QCoreApplication::processEvents();
}

bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

void FakePrompter::open(const PromptQuestion& question, std::function<void(bool accepted)> answered) {
    questions.push_back(question);
    answered_ = std::move(answered);
}

void FakePrompter::answer(bool accept) {
    auto answered = std::exchange(answered_, nullptr);
    answered(accept);
}

void FakePermissionRequester::requestAccess(const PermissionPromptContext& context,
                                            std::vector<std::string> failedPaths,
                                            std::function<void()> onGranted) {
    requests.push_back({context, std::move(failedPaths)});
    onGranted_ = std::move(onGranted);
    promptOpen = true;
}

void FakePermissionRequester::grant() {
    promptOpen = false;
    if (auto action = std::exchange(onGranted_, nullptr))
        action();
}

std::optional<std::string> RecordingNotifier::post(const Notification& notification) {
    posted.push_back(notification);
    return failure;
}

void InjectingTrash::failWith(const std::string& path, int error) {
    std::lock_guard lock(mutex_);
    failures_[path] = error;
}

void InjectingTrash::breakWith(int error) {
    std::lock_guard lock(mutex_);
    trashError_ = error;
}

void InjectingTrash::moveWithoutPrivileges() {
    std::lock_guard lock(mutex_);
    withoutPrivileges_ = true;
}

void InjectingTrash::keepFor(const std::string& path, std::string entry) {
    std::lock_guard lock(mutex_);
    keptEntries_[path] = std::move(entry);
}

Trash::Outcome InjectingTrash::moveToTrash(const std::string& path, Trash::EntriesOfOthers others) {
    bool withoutPrivileges = false;
    {
        std::lock_guard lock(mutex_);
        if (trashError_)
            return {false, trashError_, {}, true, {}};
        auto found = failures_.find(path);
        if (found != failures_.end())
            return {false, found->second, {}, false, {}};
        if (auto kept = keptEntries_.find(path); kept != keptEntries_.end())
            return {false, EPERM, {}, true, kept->second};
        withoutPrivileges = withoutPrivileges_;
    }
    if (!withoutPrivileges)
        return trash_.moveToTrash(path, others);
    const ScopedThreadWithoutPrivileges unprivileged;
    return trash_.moveToTrash(path, others);
}

void FakeAppList::set(std::vector<InstalledApp> apps) {
    std::lock_guard lock(mutex_);
    apps_ = std::move(apps);
}

void FakeAppList::holdNextFetch(bool stopsWhenAsked) {
    std::lock_guard lock(mutex_);
    heldFetches_.push_back(stopsWhenAsked);
    gate_.close();
}

std::vector<InstalledApp> FakeAppList::fetch(std::stop_token stop) {
    std::vector<InstalledApp> answer;
    std::optional<bool> stopsWhenAsked;
    {
        std::lock_guard lock(mutex_);
        answer = apps_;
        if (!heldFetches_.empty()) {
            stopsWhenAsked = heldFetches_.front();
            heldFetches_.pop_front();
        }
    }
    if (!stopsWhenAsked)
        return answer;
    gate_.passThrough(*stopsWhenAsked ? stop : std::stop_token());
    if (*stopsWhenAsked && stop.stop_requested()) {
        std::lock_guard lock(mutex_);
        ++stoppedFetches_;
    }
    return answer;
}

int FakeAppList::stoppedFetches() const {
    std::lock_guard lock(mutex_);
    return stoppedFetches_;
}

AppStateHarness::AppStateHarness()
    : defaults(std::make_shared<UserDefaults>(QString::fromStdString(tree.path("settings.ini")))),
      home(tree.folder("home")), systemRoot(tree.folder("system")),
      leftoverRules(std::make_shared<const LeftoverRules>(home, ::getuid(), systemRoot,
                                                          test::fixtureCleaningFolders(tree), People{})),
      trash(std::make_shared<InjectingTrash>(tree.path("trash"))) {
    Locations::Roots roots{home, systemRoot, home + "/Library/Caches", ""};
    auto rules = leftoverRules;
    auto injecting = trash;
    uninstall.locationsProvider = [roots] { return Locations(roots); };
    // The finder's fixed tables name paths in the home folder: the fixture's, never the real one.
    uninstall.appFileScanner =
        appFileScannerWith({makeAppConditions(home), makeSkipConditions(home, systemRoot)});
    uninstall.orphanLocations = [roots] { return Locations(roots); };
    uninstall.offeredOrphans = [rules](const std::string& path) { return rules->offered(path); };
    uninstall.moveToTrash = [injecting](const std::string& path, Trash::EntriesOfOthers others) {
        return injecting->moveToTrash(path, others);
    };
    uninstall.orphanRemoval = OrphanRemovalTools::forRules(rules, injecting->trash());
    uninstall.home = home;
    uninstall.systemRoot = systemRoot;
}

AppStateHarness::~AppStateHarness() {
    // Let held work finish before the state and the fakes go away.
    for (CleaningCategory category : allCleaningCategories())
        scanner->gate(category).open();
    cleaner->gate().open();
    installedApps->gate().open();
    QThreadPool::globalInstance()->waitForDone();
    state_.reset();
    processQueuedWork();
}

AppStateServices AppStateHarness::services() {
    auto table = processes;
    auto access = fullDiskAccess;
    auto apps = installedApps;
    auto haptics = hapticSignals;
    return AppStateServices{
        realScanner ? realScanner : scanner,
        realCleaner ? realCleaner : cleaner,
        [apps](std::stop_token stop) { return apps->fetch(std::move(stop)); },
        [access] { return access->load(); },
        realPermission ? realPermission : permission,
        clock,
        prompter,
        std::make_shared<Workspace>([table] { return table->processes; },
                                    [table](pid_t pid, int signal) {
                                        table->signalsSent.emplace_back(pid, signal);
                                        return 0;
                                    },
                                    kTestUser),
        defaults,
        [haptics] { ++*haptics; },
        notifier,
        uninstall,
    };
}

AppState& AppStateHarness::makeState(bool performStartupTasks) {
    state_ = std::make_unique<AppState>(performStartupTasks, services());
    return *state_;
}

void AppStateHarness::runBrowser(pid_t pid, const std::string& executable) {
    processes->processes.push_back({pid, 1, kTestUser, executable});
}

CleanableItem makeItem(CleaningCategory category, const std::string& path, std::int64_t size,
                       bool selectedByDefault) {
    return {Uuid::random(), PathText::lastPathComponent(path), path, size, category, selectedByDefault,
            std::nullopt};
}

CategoryResult makeResult(CleaningCategory category, std::vector<CleanableItem> items) {
    std::int64_t total = totalSizeOf(items);
    return {Uuid::random(), category, std::move(items), total};
}

} // namespace zn::test
