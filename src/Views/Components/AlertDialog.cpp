#include "Views/Components/AlertDialog.h"

#include "Models/Tint.h"
#include "Views/Components/AppIcon.h"
#include "Views/Components/BorderedButton.h"
#include "Views/Components/SchemeColors.h"
#include "Views/Components/TextLabel.h"
#include "Views/Components/TextStyles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zn {

namespace {
constexpr int kIconSide = 64;
} // namespace

AlertDialog::AlertDialog(const QString& title, const QString& message, QWidget* parent)
    : QDialog(parent), title_(new TextLabel(title, systemFont(13, QFont::Bold))),
      message_(new TextLabel(message, systemFont(11))), buttonRow_(new QHBoxLayout) {
    setWindowTitle(title);
    setFixedWidth(kWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 18);
    column->setSpacing(0);

    auto* icon = new QLabel;
    icon->setPixmap(applicationIcon().pixmap(kIconSide, kIconSide));
    column->addWidget(icon, 0, Qt::AlignHCenter);
    column->addSpacing(12);
    for (TextLabel* label : {title_, message_}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignHCenter);
    }
    column->addWidget(title_);
    column->addSpacing(6);
    column->addWidget(message_);
    column->addSpacing(18);
    buttonRow_->setSpacing(8);
    column->addLayout(buttonRow_);
}

QString AlertDialog::title() const {
    return title_->text();
}

void AlertDialog::setTitle(const QString& title) {
    title_->setText(title);
    setWindowTitle(title);
}

QString AlertDialog::message() const {
    return message_->text();
}

void AlertDialog::setMessage(const QString& message) {
    message_->setText(message);
}

QAbstractButton* AlertDialog::addButton(const QString& text, Role role) {
    auto* button = new BorderedButton(text, BorderedButton::Prominence::standard);
    button->setControlSize(BorderedButton::ControlSize::large);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (role == Role::destructive)
        button->setTint(qColor(Tint::red));
    connect(button, &QAbstractButton::clicked, this, [this, button, role] {
        clicked_ = button;
        if (role == Role::cancel)
            reject();
        else
            accept();
    });
    // The first button sits at the trailing end, as the platform orders an alert's buttons.
    buttonRow_->insertWidget(0, button);
    buttons_.push_back(button);
    roles_.push_back(role);
    // Return presses the preferred button, or a lone cancel button ("OK"), drawn filled; never a destructive
    // one, which is drawn red. The others must not become the default when they take the focus, or Return on
    // a freshly opened review would clean.
    for (std::size_t index = 0; index < buttons_.size(); ++index) {
        auto* shown = static_cast<BorderedButton*>(buttons_[index]);
        const bool isDefault =
            roles_[index] == Role::preferred || (buttons_.size() == 1 && roles_[index] == Role::cancel);
        shown->setAutoDefault(isDefault);
        shown->setDefault(isDefault);
        shown->setProminence(isDefault || roles_[index] == Role::destructive ? BorderedButton::Prominence::prominent
                                                                              : BorderedButton::Prominence::standard);
    }
    return button;
}

} // namespace zn
