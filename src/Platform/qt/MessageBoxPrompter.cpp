#include "Platform/qt/MessageBoxPrompter.h"

#include <QMessageBox>
#include <QPushButton>

namespace zn {

void MessageBoxPrompter::open(const PromptQuestion& question, std::function<void(bool accepted)> answered) {
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromStdString(question.title),
                                QString::fromStdString(question.message));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    QPushButton* accept =
        box->addButton(QString::fromStdString(question.acceptButton), QMessageBox::AcceptRole);
    QPushButton* cancel =
        box->addButton(QString::fromStdString(question.cancelButton), QMessageBox::RejectRole);
    box->setDefaultButton(accept);
    box->setEscapeButton(cancel);
    QObject::connect(box, &QMessageBox::finished, box, [box, accept, answered = std::move(answered)] {
        answered(box->clickedButton() == accept);
    });
    box->open();
}

} // namespace zn
