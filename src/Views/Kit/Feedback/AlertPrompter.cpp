#include "Views/Kit/Feedback/AlertPrompter.h"

#include "Views/Kit/Feedback/AlertDialog.h"

#include <QAbstractButton>

#include <utility>

namespace zn {

void AlertPrompter::open(const PromptQuestion& question, std::function<void(bool accepted)> answered) {
    auto* alert = new AlertDialog(QString::fromStdString(question.title), QString::fromStdString(question.message));
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(Qt::ApplicationModal);
    QAbstractButton* accept =
        alert->addButton(QString::fromStdString(question.acceptButton),
                         question.acceptIsDestructive ? AlertDialog::Role::destructive : AlertDialog::Role::preferred);
    alert->addButton(QString::fromStdString(question.cancelButton), AlertDialog::Role::cancel);
    QObject::connect(alert, &QDialog::finished, alert,
                     [alert, accept, answered = std::move(answered)]() mutable {
                         // Answered once, even if the alert is finished again before it is gone.
                         if (auto answer = std::exchange(answered, nullptr))
                             answer(alert->clickedButton() == accept);
                     });
    // Shown, never exec()'d: no nested event loop. open() would make it window-modal, and it has no window.
    alert->show();
}

} // namespace zn
