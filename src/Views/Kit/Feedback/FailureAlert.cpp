#include "Views/Kit/Feedback/FailureAlert.h"

namespace zn {

FailureAlert::FailureAlert(QWidget* parent, QString title, std::function<void()> dismissed)
    : parent_(parent), title_(std::move(title)), dismissed_(std::move(dismissed)) {}

void FailureAlert::show(const QString& message) {
    if (dialog_) {
        dialog_->setMessage(message);
        return;
    }
    auto* dialog = new AlertDialog(title_, message, parent_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->addButton(QStringLiteral("OK"), AlertDialog::Role::cancel);
    // "OK", Escape or the window manager: every way of closing it counts as dismissing it.
    QObject::connect(dialog, &QDialog::finished, dialog, [this] {
        dialog_.clear();
        dismissed_();
    });
    dialog_ = dialog;
    dialog->open();
}

void FailureAlert::close() {
    if (dialog_)
        dialog_->close();
}

} // namespace zn
