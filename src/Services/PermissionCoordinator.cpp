#include "Services/PermissionCoordinator.h"

#include "Platform/qt/QtClock.h"

#include <QCoreApplication>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

namespace zn {

using std::chrono::milliseconds;

namespace {

class CoordinatorPermissionRequester final : public PermissionRequester {
public:
    explicit CoordinatorPermissionRequester(PermissionCoordinator& coordinator)
        : coordinator_(&coordinator) {}

    bool isRequesting() const override { return coordinator_ && coordinator_->isRequesting(); }

    void requestAccess(const PermissionPromptContext& context, std::vector<std::string> failedPaths,
                       std::function<void()> onGranted) override {
        if (coordinator_)
            coordinator_->requestAccess(context, std::move(failedPaths), std::move(onGranted));
    }

private:
    QPointer<PermissionCoordinator> coordinator_;
};

} // namespace

std::shared_ptr<PermissionRequester> permissionRequester(PermissionCoordinator& coordinator) {
    return std::make_shared<CoordinatorPermissionRequester>(coordinator);
}

PermissionCoordinator& PermissionCoordinator::shared() {
    // Owned by the application object, so its timers go before the event loop does.
    static PermissionCoordinator* const instance =
        new PermissionCoordinator(FullDiskAccessManager::sharedInstance(), desktopUrlOpener(),
                                  std::make_shared<QtClock>(), QCoreApplication::instance());
    return *instance;
}

PermissionCoordinator::PermissionCoordinator(std::shared_ptr<const FullDiskAccessManager> manager,
                                             std::shared_ptr<UrlOpener> opener, std::shared_ptr<Clock> clock,
                                             QObject* parent)
    : QObject(parent), manager_(std::move(manager)), opener_(std::move(opener)), clock_(std::move(clock)) {
    hasFullDiskAccess_ = manager_->hasFullDiskAccess();
}

void PermissionCoordinator::requestAccess(const PromptContext& context, std::vector<std::string> failedPaths,
                                          Callback onGranted) {
    onGrantCallback_ = {};
    cancelPendingGrant();
    setContext(context);
    setFailedItemPaths(std::move(failedPaths));
    onGrantCallback_ = std::move(onGranted);
    setHasFullDiskAccess(manager_->hasFullDiskAccess());
    if (hasFullDiskAccess_) {
        // A prompt left open by an earlier request would otherwise wait for a grant that already happened.
        if (isRequesting_) {
            stopPolling();
            setIsRequesting(false);
        }
        if (Callback callback = std::exchange(onGrantCallback_, {}))
            callback();
        return;
    }
    setIsRequesting(true);
    startPolling();
}

void PermissionCoordinator::dismiss(bool callRetry) {
    stopPolling();
    Callback callback = std::exchange(onGrantCallback_, {});
    Callback taken = std::exchange(grantedCallback_, {});
    cancelPendingGrant();
    if (!callback)
        callback = std::move(taken);
    endPrompt();
    if (callRetry && callback)
        callback();
}

void PermissionCoordinator::refreshStatus() {
    QPointer<PermissionCoordinator> self(this);
    (void)QtConcurrent::run([self, manager = manager_] {
        bool granted = manager->hasFullDiskAccess();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, granted] {
                if (!self)
                    return;
                bool previous = self->hasFullDiskAccess_;
                self->setHasFullDiskAccess(granted);
                if (granted && !previous && self->isRequesting_)
                    self->handleGrant();
            },
            Qt::QueuedConnection);
    });
}

void PermissionCoordinator::resetAndReprime() {
    QPointer<PermissionCoordinator> self(this);
    (void)QtConcurrent::run([self, manager = manager_] {
        manager->resetFullDiskAccess();
        manager->triggerRegistration();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self] {
                if (self)
                    self->clock_->callAfter(milliseconds(kReprimeDelayMs), self,
                                            [self] { self->openSettings(); });
            },
            Qt::QueuedConnection);
    });
}

void PermissionCoordinator::openSettings() {
    manager_->openSettingsPane(*opener_, "openSettings()");
}

void PermissionCoordinator::startPolling() {
    stopPolling();
    isPolling_ = true;
    schedulePoll();
    // One check at once, on the next turn of the event loop, rather than a second from now.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isRequesting_ && !grantPending_ && manager_->hasFullDiskAccess()) {
                setHasFullDiskAccess(true);
                handleGrant();
            }
        },
        Qt::QueuedConnection);
}

void PermissionCoordinator::schedulePoll() {
    nextPoll_ = clock_->callAfter(milliseconds(kPollIntervalMs), this, [this] {
        if (!isPolling_)
            return;
        schedulePoll();
        poll();
    });
}

void PermissionCoordinator::poll() {
    bool granted = manager_->hasFullDiskAccess();
    if (granted && !hasFullDiskAccess_) {
        setHasFullDiskAccess(true);
        handleGrant();
    } else {
        setHasFullDiskAccess(granted);
    }
}

void PermissionCoordinator::stopPolling() {
    isPolling_ = false;
    nextPoll_.cancel();
}

void PermissionCoordinator::handleGrant() {
    Callback callback = std::exchange(onGrantCallback_, {});
    stopPolling();
    // A second grant inside the second keeps the callback the first one took.
    if (!callback)
        callback = std::exchange(grantedCallback_, {});
    cancelPendingGrant();
    grantedCallback_ = std::move(callback);
    grantPending_ = true;
    pendingGrant_ = clock_->callAfter(milliseconds(kGrantDelayMs), this, [this] { finishGrant(); });
}

void PermissionCoordinator::finishGrant() {
    grantPending_ = false;
    Callback callback = std::exchange(grantedCallback_, {});
    endPrompt();
    if (callback)
        callback();
}

void PermissionCoordinator::cancelPendingGrant() {
    grantPending_ = false;
    pendingGrant_.cancel();
    grantedCallback_ = {};
}

void PermissionCoordinator::endPrompt() {
    setIsRequesting(false);
    setFailedItemPaths({});
    setContext(PromptContext::general());
}

void PermissionCoordinator::setIsRequesting(bool value) {
    if (std::exchange(isRequesting_, value) != value)
        emit isRequestingChanged();
}

void PermissionCoordinator::setHasFullDiskAccess(bool value) {
    if (std::exchange(hasFullDiskAccess_, value) != value)
        emit hasFullDiskAccessChanged();
}

void PermissionCoordinator::setFailedItemPaths(std::vector<std::string> value) {
    if (failedItemPaths_ == value)
        return;
    failedItemPaths_ = std::move(value);
    emit failedItemPathsChanged();
}

void PermissionCoordinator::setContext(PromptContext value) {
    if (context_ == value)
        return;
    context_ = std::move(value);
    emit contextChanged();
}

} // namespace zn
