#include "Views/Permission/PermissionSheetPresenter.h"

#include "Services/PermissionCoordinator.h"

#include <QDialog>

namespace zn {

PermissionSheetPresenter::PermissionSheetPresenter(PermissionCoordinator& permission, QWidget& window,
                                                   PermissionSheetFactory factory)
    : QObject(&window), permission_(permission), window_(window), factory_(std::move(factory)) {
    connect(&permission, &PermissionCoordinator::isRequestingChanged, this, &PermissionSheetPresenter::update);
}

void PermissionSheetPresenter::update() {
    if (!permission_.isRequesting()) {
        close();
        return;
    }
    if (sheet_ || !factory_ || !window_.isVisible())
        return;
    sheet_ = factory_(permission_, &window_);
    if (!sheet_)
        return;
    sheet_->setAttribute(Qt::WA_DeleteOnClose);
    sheet_->setWindowModality(Qt::WindowModal);
    connect(sheet_, &QDialog::finished, this, [this] {
        if (permission_.isRequesting())
            permission_.dismiss(false);
    });
    sheet_->open();
}

void PermissionSheetPresenter::close() {
    if (!sheet_)
        return;
    QDialog* sheet = std::exchange(sheet_, nullptr);
    // Ended by the coordinator: nothing is left to dismiss.
    disconnect(sheet, &QDialog::finished, this, nullptr);
    sheet->close();
}

} // namespace zn
