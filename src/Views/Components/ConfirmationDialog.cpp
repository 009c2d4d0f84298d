#include "Views/Components/ConfirmationDialog.h"

#include "Models/Tint.h"
#include "Views/Components/AppIcon.h"
#include "Views/Components/BorderedButton.h"
#include "Views/Components/SchemeColors.h"
#include "Views/Components/TextLabel.h"
#include "Views/Components/TextStyles.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zn {

namespace {
constexpr int kWidth = 280;
constexpr int kPadding = 20;
constexpr int kIconSize = 56;
} // namespace

ConfirmationDialog::ConfirmationDialog(const QString& title, const QString& message,
                                       const QString& destructiveLabel, const QString& cancelLabel,
                                       QWidget* parent)
    : QDialog(parent), title_(title),
      destructive_(new BorderedButton(destructiveLabel, BorderedButton::Prominence::prominent)),
      cancel_(new BorderedButton(cancelLabel, BorderedButton::Prominence::standard)) {
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    setFixedWidth(kWidth);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    column->setSpacing(0);

    auto* icon = new QLabel;
    icon->setPixmap(applicationIcon().pixmap(kIconSize, kIconSize));
    icon->setFixedSize(kIconSize, kIconSize);
    column->addWidget(icon, 0, Qt::AlignHCenter);
    column->addSpacing(12);

    auto* titleLabel = new TextLabel(title, textFont(TextStyle::headline));
    titleLabel->setAlignment(Qt::AlignHCenter);
    titleLabel->setWordWrap(true);
    column->addWidget(titleLabel);
    column->addSpacing(6);

    auto* messageLabel = new TextLabel(message, textFont(TextStyle::subheadline), PlatformColor::secondaryLabel);
    messageLabel->setAlignment(Qt::AlignHCenter);
    messageLabel->setWordWrap(true);
    column->addWidget(messageLabel);
    column->addSpacing(18);

    // A destructive action is never the default: Return and Escape both cancel.
    destructive_->setTint(qColor(Tint::red));
    cancel_->setDefault(true);
    for (BorderedButton* button : {destructive_, cancel_}) {
        button->setControlSize(BorderedButton::ControlSize::large);
        button->setAutoDefault(false);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setCursor(Qt::PointingHandCursor);
    }
    column->addWidget(destructive_);
    column->addSpacing(8);
    column->addWidget(cancel_);

    connect(destructive_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QString ConfirmationDialog::title() const {
    return title_;
}

QPushButton& ConfirmationDialog::destructiveButton() {
    return *destructive_;
}

QPushButton& ConfirmationDialog::cancelButton() {
    return *cancel_;
}

} // namespace zn
