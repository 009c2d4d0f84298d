#pragma once

#include "Platform/qt/Clock.h"
#include "Views/Kit/Feedback/ConfettiView.h"

#include <QWidget>

#include <chrono>
#include <functional>

namespace zn {

class ReadyBadge;
class TextLabel;
class UserDefaults;

// The last page: ready, with or without access. The first time a user stays on it for a moment, confetti
// falls over it once; the flag that says so is kept in the defaults store and never shows it again.
class ReadyScene : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kHasSeenConfettiKey = "ZelvaNexal.HasSeenWelcomeConfetti";
    static constexpr std::chrono::milliseconds kConfettiDelay{350};

    // The confetti and its delay run on the clock of `confetti`.
    ReadyScene(bool hasFda, UserDefaults& defaults, ConfettiSources confetti,
               std::function<void()> playLevelChangeFeedback, QWidget* parent = nullptr);

    void setHasFda(bool hasFda);

    // Whether this visit carries the confetti at all: decided when the page is built, so the burst that
    // marks the confetti as seen still plays on the page that fires it.
    bool carriesConfetti() const { return confetti_ != nullptr; }
    // The overlay over the page while it carries the confetti.
    const ConfettiView* confetti() const { return confetti_; }
    bool hasFiredConfetti() const { return fireConfetti_; }
    const ReadyBadge& badge() const { return *badge_; }
    const TextLabel& title() const { return *title_; }
    const TextLabel& subtitle() const { return *subtitle_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showTexts();
    void fireConfetti();

    bool hasFda_;
    UserDefaults& defaults_;
    std::shared_ptr<Clock> clock_;
    std::function<void()> playLevelChangeFeedback_;
    ConfettiView* confetti_ = nullptr;
    bool fireConfetti_ = false;
    ScheduledCall confettiWork_;
    ReadyBadge* badge_;
    TextLabel* title_;
    TextLabel* subtitle_;
};

} // namespace zn
