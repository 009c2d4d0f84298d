#pragma once

#include <QDialog>

class QPushButton;

namespace zn {

class BorderedButton;

// A question before a destructive action, asked as the desktop's alert sheets ask it: the program's icon,
// a bold title that is always shown, a short message, the destructive action in red and the cancel
// action, which is also the default. Window-modal; callers open it with open() and act on accepted().
class ConfirmationDialog : public QDialog {
    Q_OBJECT

public:
    ConfirmationDialog(const QString& title, const QString& message, const QString& destructiveLabel,
                       const QString& cancelLabel, QWidget* parent = nullptr);

    QString title() const;
    QPushButton& destructiveButton();
    QPushButton& cancelButton();

private:
    QString title_;
    BorderedButton* destructive_;
    BorderedButton* cancel_;
};

} // namespace zn
