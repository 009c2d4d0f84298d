#pragma once

#include "Platform/qt/Clock.h"
#include "Platform/qt/UrlOpener.h"
#include "Services/FullDiskAccessManager.h"
#include "Services/PermissionCoordinator+PromptContext.h"
#include "Services/PermissionRequester.h"

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zn {

// The program's one Full Disk Access prompt: remembers why access is asked for and what waits for it,
// polls every second while the prompt is open, and on a grant closes the prompt and runs the waiting
// retry one second later. Main thread only.
class PermissionCoordinator : public QObject {
    Q_OBJECT

public:
    using PromptContext = PermissionPromptContext;
    using Callback = std::function<void()>;

    static constexpr int kPollIntervalMs = 1000;
    static constexpr int kGrantDelayMs = 1000;
    static constexpr int kReprimeDelayMs = 800;

    static PermissionCoordinator& shared();
    PermissionCoordinator(std::shared_ptr<const FullDiskAccessManager> manager, std::shared_ptr<UrlOpener> opener,
                          std::shared_ptr<Clock> clock, QObject* parent = nullptr);

    bool isRequesting() const { return isRequesting_; }
    bool hasFullDiskAccess() const { return hasFullDiskAccess_; }
    const std::vector<std::string>& failedItemPaths() const { return failedItemPaths_; }
    const PromptContext& context() const { return context_; }
    // What the prompt's own screens work with: the clock of its waits and the access services.
    Clock& clock() const { return *clock_; }
    const FullDiskAccessManager& accessManager() const { return *manager_; }

    // With access already present `onGranted` runs before this returns and no prompt opens; otherwise
    // the prompt opens and `onGranted` waits for the grant. Replaces any earlier prompt and its callback.
    void requestAccess(const PromptContext& context, std::vector<std::string> failedPaths,
                       Callback onGranted);
    // Ends the prompt at once. With `callRetry` the waiting callback runs, exactly once, also when a grant
    // has already taken it and was about to run it.
    void dismiss(bool callRetry);
    // Probes off the main thread; a grant seen while the prompt is open is handled as by the poll.
    void refreshStatus();
    // Resets the program's entry in the system's list, touches the protected locations again and then opens
    // the settings pane. The reset runs off the main thread.
    void resetAndReprime();
    void openSettings();

signals:
    void isRequestingChanged();
    void hasFullDiskAccessChanged();
    void failedItemPathsChanged();
    void contextChanged();

private:
    void startPolling();
    void schedulePoll();
    void poll();
    void stopPolling();
    void handleGrant();
    void finishGrant();
    void cancelPendingGrant();
    void setIsRequesting(bool value);
    void setHasFullDiskAccess(bool value);
    void setFailedItemPaths(std::vector<std::string> value);
    void setContext(PromptContext value);
    void endPrompt();

    std::shared_ptr<const FullDiskAccessManager> manager_;
    std::shared_ptr<UrlOpener> opener_;
    std::shared_ptr<Clock> clock_;

    bool isRequesting_ = false;
    bool hasFullDiskAccess_ = false;
    std::vector<std::string> failedItemPaths_;
    PromptContext context_ = PromptContext::general();

    bool isPolling_ = false;
    ScheduledCall nextPoll_;
    Callback onGrantCallback_;
    // The delayed end of a prompt after a grant, and the callback it has taken.
    bool grantPending_ = false;
    ScheduledCall pendingGrant_;
    Callback grantedCallback_;
};

// The coordinator as the application state asks for it; asks nothing once the coordinator is gone.
std::shared_ptr<PermissionRequester> permissionRequester(PermissionCoordinator& coordinator);

} // namespace zn
