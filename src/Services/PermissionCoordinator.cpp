#include "Services/PermissionCoordinator.h"

#include <QCoreApplication>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

namespace zn {

PermissionCoordinator& PermissionCoordinator::shared() {
    // Owned by the application object, so its timers go before the event loop does.
    static PermissionCoordinator* const instance = new PermissionCoordinator(
        FullDiskAccessManager::sharedInstance(), desktopUrlOpener(), QCoreApplication::instance());
    return *instance;
}

PermissionCoordinator::PermissionCoordinator(std::shared_ptr<const FullDiskAccessManager> manager,
                                             std::shared_ptr<UrlOpener> opener, QObject* parent)
    : QObject(parent), manager_(std::move(manager)), opener_(std::move(opener)) {
    pollTimer_.setInterval(kPollIntervalMs);
    connect(&pollTimer_, &QTimer::timeout, this, [this] {
        bool granted = manager_->hasFullDiskAccess();
        if (granted && !hasFullDiskAccess_) {
            setHasFullDiskAccess(true);
            handleGrant();
        } else {
            setHasFullDiskAccess(granted);
        }
    });
    grantTimer_.setSingleShot(true);
    grantTimer_.setInterval(kGrantDelayMs);
    connect(&grantTimer_, &QTimer::timeout, this, &PermissionCoordinator::finishGrant);
    hasFullDiskAccess_ = manager_->hasFullDiskAccess();
}

void PermissionCoordinator::requestAccess(PromptContext context, std::vector<std::string> failedPaths,
                                          Callback onGranted) {
    onGrantCallback_ = {};
    cancelPendingGrant();
    setContext(std::move(context));
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
    grantTimer_.stop();
    Callback callback = std::exchange(onGrantCallback_, {});
    Callback taken = std::exchange(grantedCallback_, {});
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
                    QTimer::singleShot(kReprimeDelayMs, self, &PermissionCoordinator::openSettings);
            },
            Qt::QueuedConnection);
    });
}

void PermissionCoordinator::openSettings() {
    manager_->openSettingsPane(*opener_, "openSettings()");
}

void PermissionCoordinator::startPolling() {
    pollTimer_.start();
    // One check at once, on the next turn of the event loop, rather than a second from now.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isRequesting_ && !grantTimer_.isActive() && manager_->hasFullDiskAccess()) {
                setHasFullDiskAccess(true);
                handleGrant();
            }
        },
        Qt::QueuedConnection);
}

void PermissionCoordinator::stopPolling() {
    pollTimer_.stop();
}

void PermissionCoordinator::handleGrant() {
    Callback callback = std::exchange(onGrantCallback_, {});
    stopPolling();
    // A second grant inside the second keeps the callback the first one took.
    if (!callback)
        callback = std::exchange(grantedCallback_, {});
    grantedCallback_ = std::move(callback);
    grantTimer_.start();
}

void PermissionCoordinator::finishGrant() {
    Callback callback = std::exchange(grantedCallback_, {});
    endPrompt();
    if (callback)
        callback();
}

void PermissionCoordinator::cancelPendingGrant() {
    grantTimer_.stop();
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
