#include "Views/Components/FailureAlert.h"

#include "Views/Components/AppIcon.h"

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
    auto* box = new QMessageBox(QMessageBox::NoIcon, title_, QString(), QMessageBox::NoButton, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // As the desktop the design comes from shows an alert: the program's icon, a bold title, the message.
    box->setIconPixmap(applicationIcon().pixmap(64, 64));
    box->setTextFormat(Qt::RichText);
    box->setText(QStringLiteral("<b>%1</b>").arg(title_.toHtmlEscaped()));
    box->setInformativeText(message);
    // Paths are data: never read as markup. Wide enough for a path on one line.
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        label->setTextFormat(Qt::PlainText);
        label->setMinimumWidth(440);
    }
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
