#include "Views/Components/FailureAlert.h"

#include <QLabel>
#include <QMessageBox>

namespace zn {

FailureAlert::FailureAlert(QWidget* parent, QString title, std::function<void()> dismissed)
    : parent_(parent), title_(std::move(title)), dismissed_(std::move(dismissed)) {}

void FailureAlert::show(const QString& message) {
    if (box_) {
        box_->setInformativeText(message);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Warning, title_, title_, QMessageBox::NoButton, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    box->setText(title_);
    box->setInformativeText(message);
    // Paths are data: never read as markup.
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
    box->addButton(QStringLiteral("OK"), QMessageBox::RejectRole);
    box->setWindowModality(Qt::WindowModal);
    QObject::connect(box, &QMessageBox::finished, box, [this] {
        box_.clear();
        dismissed_();
    });
    box_ = box;
    box->open();
}

void FailureAlert::close() {
    if (box_)
        box_->close();
}

} // namespace zn
