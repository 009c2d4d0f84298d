#include "ViewModels/CleanFailureReactions.h"

#include "ViewModels/AppState.h"

namespace zn {

CleanFailureReactions::CleanFailureReactions(AppState& state, QObject* parent)
    : QObject(parent), state_(&state) {
    connect(&state, &AppState::cleanErrorIsFDAFixableChanged, this,
            &CleanFailureReactions::handOffIfFixable, Qt::QueuedConnection);
    connect(&state, &AppState::cleanErrorIsFDAFixableChanged, this,
            &CleanFailureReactions::alertMessageChanged, Qt::QueuedConnection);
    connect(&state, &AppState::cleanErrorChanged, this, &CleanFailureReactions::alertMessageChanged,
            Qt::QueuedConnection);
}

std::optional<std::string> CleanFailureReactions::alertMessage() const {
    if (!state_ || state_->cleanErrorIsFDAFixable())
        return std::nullopt;
    return state_->cleanError();
}

void CleanFailureReactions::handOffIfFixable() {
    if (!state_ || !state_->cleanErrorIsFDAFixable())
        return;
    auto items = state_->pendingPermissionRetryItems();
    state_->setCleanError(std::nullopt);
    state_->setCleanErrorIsFDAFixable(false);
    auto count = static_cast<std::int64_t>(items.size());
    state_->requestFullDiskAccessAndRetry(std::move(items), PermissionPromptContext::cleanup(count));
}

} // namespace zn
