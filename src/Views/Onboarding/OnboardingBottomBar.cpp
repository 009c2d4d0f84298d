#include "Views/Onboarding/OnboardingBottomBar.h"

#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/LinkButton.h"
#include "Views/Kit/Surfaces/Divider.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Onboarding/PageDots.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace zn {

OnboardingBottomBar::OnboardingBottomBar(OnboardingPage page, QWidget* parent)
    : QWidget(parent), left_(new LinkButton(QString(), textFont(TextStyle::body))), dots_(new PageDots(page)),
      right_(new BorderedButton(QString(), BorderedButton::Prominence::prominent)) {
    // A plain button in the secondary colour.
    left_->setColor(PlatformColor::secondaryLabel);
    right_->setControlSize(BorderedButton::ControlSize::large);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(new Divider(Qt::Horizontal, 0.35));
    auto* row = new QHBoxLayout;
    column->addLayout(row);
    row->setContentsMargins(28, 16, 28, 16);
    row->addWidget(left_);
    row->addStretch();
    row->addWidget(dots_);
    row->addStretch();
    row->addWidget(right_);
    setPage(page);
}

void OnboardingBottomBar::setPage(OnboardingPage page) {
    left_->setText(page == OnboardingPage::welcome ? QStringLiteral("Skip") : QStringLiteral("Back"));
    left_->updateGeometry();
    switch (page) {
    case OnboardingPage::ready:
        right_->setText(QStringLiteral("Start"));
        break;
    case OnboardingPage::permission:
        right_->setText(QStringLiteral("Continue"));
        break;
    default:
        right_->setText(QStringLiteral("Next"));
    }
    right_->updateGeometry();
    dots_->setPage(page);
}

void OnboardingBottomBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), platformColor(*this, PlatformColor::windowBackground));
}

} // namespace zn
