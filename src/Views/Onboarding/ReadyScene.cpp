#include "Views/Onboarding/ReadyScene.h"
#include "Views/Onboarding/CentredLabel.h"

#include "Platform/qt/UserDefaults.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Onboarding/ReadyBadge.h"

#include <QVBoxLayout>

namespace zn {

ReadyScene::ReadyScene(bool hasFda, UserDefaults& defaults, ConfettiSources confetti,
                       std::function<void()> playLevelChangeFeedback, QWidget* parent)
    : QWidget(parent), hasFda_(hasFda), defaults_(defaults), clock_(confetti.clock),
      playLevelChangeFeedback_(std::move(playLevelChangeFeedback)), badge_(new ReadyBadge(hasFda)),
      title_(centredLabel(QString(), systemFont(30, QFont::DemiBold))),
      subtitle_(centredLabel(QString(), systemFont(13.5), PlatformColor::secondaryLabel, 420)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(22);
    column->addStretch();
    column->addWidget(badge_, 0, Qt::AlignHCenter);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(10);
    texts->addWidget(title_);
    texts->addWidget(subtitle_, 0, Qt::AlignHCenter);
    column->addLayout(texts);
    column->addStretch();
    showTexts();
    // Decided once for this visit: the step that fires the burst also marks it seen, and the overlay must
    // stay for the burst to play.
    if (!defaults_.boolForKey(QString::fromLatin1(kHasSeenConfettiKey)))
        confetti_ = new ConfettiView(std::move(confetti), this);
}

void ReadyScene::setHasFda(bool hasFda) {
    hasFda_ = hasFda;
    badge_->setHasFda(hasFda);
    showTexts();
}

void ReadyScene::showTexts() {
    title_->setText(hasFda_ ? QStringLiteral("You're ready") : QStringLiteral("Ready when you are"));
    subtitle_->setText(
        hasFda_ ? QStringLiteral("Start with a quick scan.")
                : QStringLiteral("You can start now. Some cleanup areas will stay hidden until you "
                                 "allow access."));
}

void ReadyScene::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    confettiWork_.cancel();
    if (confetti_ && !defaults_.boolForKey(QString::fromLatin1(kHasSeenConfettiKey)))
        confettiWork_ = clock_->callAfter(kConfettiDelay, this, [this] { fireConfetti(); });
}

void ReadyScene::hideEvent(QHideEvent* event) {
    // Leaving before the delay ends keeps the confetti for the next visit.
    confettiWork_.cancel();
    QWidget::hideEvent(event);
}

void ReadyScene::fireConfetti() {
    fireConfetti_ = true;
    confetti_->setTrigger(true);
    defaults_.setBool(true, QString::fromLatin1(kHasSeenConfettiKey));
    playLevelChangeFeedback_();
}

} // namespace zn
