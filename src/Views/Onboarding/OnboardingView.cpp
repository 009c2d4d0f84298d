#include "Views/Onboarding/OnboardingView.h"

#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/LinkButton.h"
#include "Views/Kit/Theme/AppIcon.h"
#include "Views/Onboarding/MissionScene.h"
#include "Views/Onboarding/OnboardingBackdrop.h"
#include "Views/Onboarding/OnboardingBottomBar.h"
#include "Views/Onboarding/PageStage.h"
#include "Views/Onboarding/PermissionScene.h"
#include "Views/Onboarding/ReadyScene.h"
#include "Views/Onboarding/WelcomeScene.h"

#include <QVBoxLayout>

namespace zn {

OnboardingView::OnboardingView(OnboardingServices services, std::function<void()> complete, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), complete_(std::move(complete)),
      backdrop_(new OnboardingBackdrop(page_)), stage_(new PageStage(QMargins(36, 44, 36, 12))),
      bottomBar_(new OnboardingBottomBar(page_)) {
    setFixedSize(kSize);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(backdrop_);
    auto* column = new QVBoxLayout(backdrop_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(stage_, 1);
    column->addWidget(bottomBar_);
    stage_->show(makeScene());

    connect(&bottomBar_->leftButton(), &LinkButton::clicked, this, [this] {
        if (page_ == OnboardingPage::welcome)
            complete_();
        else
            advance(-1);
    });
    connect(&bottomBar_->rightButton(), &BorderedButton::clicked, this, [this] {
        // "Continue" moves on whether or not access was granted.
        if (page_ == OnboardingPage::ready)
            complete_();
        else
            advance(1);
    });
}

QWidget* OnboardingView::scene() const {
    return stage_->page();
}

QWidget* OnboardingView::makeScene() {
    switch (page_) {
    case OnboardingPage::welcome:
        return new WelcomeScene(applicationIcon(), appeared_);
    case OnboardingPage::mission:
        return new MissionScene;
    case OnboardingPage::permission:
        return new PermissionScene(hasFda_, hasOpenedSettings_,
                                   {[this] { openSettings(); }, services_.revealAppInFinder,
                                    [this] {
                                        services_.resetFullDiskAccess();
                                        services_.triggerRegistration();
                                    }},
                                   services_.clock);
    case OnboardingPage::ready:
        return new ReadyScene(hasFda_, *services_.defaults, {services_.clock, services_.confettiRandom},
                              services_.playLevelChangeFeedback);
    }
    return nullptr;
}

void OnboardingView::advance(int by) {
    const OnboardingPage target = offsetPage(page_, by);
    if (target == page_)
        return;
    services_.playAlignmentFeedback();
    page_ = target;
    backdrop_->setPage(page_);
    bottomBar_->setPage(page_);
    stage_->show(makeScene());
    updatePoll();
}

void OnboardingView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!appeared_) {
        appeared_ = true;
        services_.triggerRegistration();
        if (auto* welcome = qobject_cast<WelcomeScene*>(scene()))
            welcome->setAppeared(true);
        refreshFda();
    }
    updatePoll();
}

void OnboardingView::hideEvent(QHideEvent* event) {
    nextTick_.cancel();
    QWidget::hideEvent(event);
}

void OnboardingView::updatePoll() {
    // The probe reads protected files on the main thread: only the access page asks, once a second.
    nextTick_.cancel();
    if (page_ == OnboardingPage::permission && isVisible())
        nextTick_ = services_.clock->callAfter(kPollInterval, this, [this] { tick(); });
}

void OnboardingView::tick() {
    refreshFda();
    updatePoll();
}

void OnboardingView::refreshFda() {
    const bool granted = services_.hasFullDiskAccess();
    if (granted != hasFda_) {
        hasFda_ = granted;
        if (auto* permission = qobject_cast<PermissionScene*>(scene()))
            permission->setHasFda(granted);
        if (auto* ready = qobject_cast<ReadyScene*>(scene()))
            ready->setHasFda(granted);
        if (granted)
            services_.playLevelChangeFeedback();
    }
    if (!granted || page_ != OnboardingPage::permission || autoAdvanceScheduled_)
        return;
    // One move at a time; it is taken only if the access page is still shown when it falls due.
    autoAdvanceScheduled_ = true;
    services_.clock->callAfter(kAutoAdvanceDelay, this, [this] {
        if (page_ == OnboardingPage::permission)
            advance(1);
        autoAdvanceScheduled_ = false;
    });
}

void OnboardingView::openSettings() {
    services_.openAccessSettings();
    hasOpenedSettings_ = true;
    if (auto* permission = qobject_cast<PermissionScene*>(scene()))
        permission->setHasOpenedSettings(true);
}

} // namespace zn
