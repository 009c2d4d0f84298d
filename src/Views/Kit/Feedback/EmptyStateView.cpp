#include "Views/Kit/Feedback/EmptyStateView.h"

#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Feedback/CentredWrapping.h"
#include "Views/Kit/Labels/SymbolView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zn {

EmptyStateView::EmptyStateView(QString title, std::string systemImage, QString description,
                               std::function<void()> action, std::optional<QString> actionLabel,
                               bool usesNexalActionIcon, QWidget* parent)
    : QWidget(parent), title_(std::move(title)) {
    auto* column = new QVBoxLayout(this);
    column->setSpacing(12);
    column->addStretch(1);

    auto* symbol = new SymbolView(std::move(systemImage), 40, PlatformColor::secondaryLabel);
    column->addWidget(symbol, 0, Qt::AlignHCenter);

    auto* titleLabel = new TextLabel(title_, textFont(TextStyle::title3, QFont::Bold));
    titleLabel->setAlignment(Qt::AlignCenter);
    column->addWidget(titleLabel, 0, Qt::AlignHCenter);

    auto* descriptionLabel = new TextLabel(description, textFont(TextStyle::callout), PlatformColor::secondaryLabel);
    descriptionLabel->setAlignment(Qt::AlignCenter);
    descriptionLabel->setWordWrap(true);
    descriptionLabel->setMaximumWidth(300);
    column->addLayout(centredWrapping(descriptionLabel));

    if (action && actionLabel) {
        column->addSpacing(4);
        button_ = new BorderedButton(*actionLabel, BorderedButton::Prominence::prominent);
        if (usesNexalActionIcon)
            button_->setLeadingNexalMark(true, 15);
        connect(button_, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
        column->addWidget(button_, 0, Qt::AlignHCenter);
    }
    column->addStretch(1);
}

} // namespace zn
