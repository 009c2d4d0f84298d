#pragma once

#include <QDialog>
#include <QString>

#include <vector>

class QAbstractButton;
class QHBoxLayout;

namespace zn {

class TextLabel;

// An alert as the design's platform draws one: the program's icon, a bold title, the message (shown as
// plain text, whatever it holds) and a row of buttons. A button ends the alert; Escape ends it as the
// cancel button does. Open it with open(), never exec().
class AlertDialog : public QDialog {
    Q_OBJECT

public:
    // `cancel` rejects the dialog, the others accept it; `destructive` is drawn in red, `preferred` in the
    // accent.
    enum class Role { cancel, preferred, destructive };

    static constexpr int kWidth = 300;

    AlertDialog(const QString& title, const QString& message, QWidget* parent = nullptr);

    // The texts as given; a word too wide for the alert is shown wrapped between any two characters.
    const QString& title() const { return title_; }
    void setTitle(const QString& title);
    const QString& message() const { return message_; }
    void setMessage(const QString& message);

    QAbstractButton* addButton(const QString& text, Role role);
    // As tall as the texts wrapped at the alert's own width need.
    QSize sizeHint() const override;
    const std::vector<QAbstractButton*>& buttons() const { return buttons_; }
    // The button that ended the alert; none after Escape or while it is open.
    QAbstractButton* clickedButton() const { return clicked_; }

private:
    void fitHeight();

    QString title_;
    QString message_;
    TextLabel* titleLabel_;
    TextLabel* messageLabel_;
    QHBoxLayout* buttonRow_;
    std::vector<QAbstractButton*> buttons_;
    std::vector<Role> roles_;
    QAbstractButton* clicked_ = nullptr;
};

} // namespace zn
