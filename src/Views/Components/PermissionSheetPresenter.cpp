#include "Views/Components/PermissionSheetPresenter.h"

#include "Services/PermissionCoordinator.h"
#include "Views/Components/PermissionSheet.h"

#include <QEvent>
#include <QWidget>

namespace zn {

PermissionSheetPresenter::PermissionSheetPresenter(PermissionCoordinator& coordinator,
                                                   const FullDiskAccessManager& accessManager, QWidget& window)
    : QObject(&window), coordinator_(&coordinator), accessManager_(accessManager), window_(window) {
    connect(&coordinator, &PermissionCoordinator::isRequestingChanged, this, &PermissionSheetPresenter::sync,
            Qt::QueuedConnection);
    window.installEventFilter(this);
}

PermissionSheet* PermissionSheetPresenter::sheet() const {
    return sheet_ && sheet_->isVisible() ? sheet_.data() : nullptr;
}

bool PermissionSheetPresenter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Show)
        sync();
    return false;
}

void PermissionSheetPresenter::sync() {
    const bool requesting = coordinator_ && coordinator_->isRequesting();
    if (requesting && window_.isVisible() && !sheet()) {
        if (sheet_)
            sheet_->deleteLater();
        sheet_ = new PermissionSheet(*coordinator_, accessManager_, &window_);
        sheet_->setAttribute(Qt::WA_DeleteOnClose);
        sheet_->open();
    } else if (!requesting && sheet_) {
        // The prompt is over: the sheet leaves without skipping it again.
        QPointer<PermissionSheet> ending = std::exchange(sheet_, nullptr);
        if (ending->isVisible())
            ending->done(QDialog::Accepted);
        else
            ending->deleteLater();
    }
}

} // namespace zn
