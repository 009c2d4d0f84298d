#pragma once

#include "Views/Kit/Surfaces/AppBackdrop.h"
#include "Views/Onboarding/OnboardingPage.h"

namespace zn {

class AnimatedValue;

// The onboarding's background: the window backdrop with the page's colour glowing from the top trailing
// corner; a change of page blends one colour into the next.
class OnboardingBackdrop : public AppBackdrop {
    Q_OBJECT

public:
    static constexpr double kGlowOpacity = 0.22;
    static constexpr double kStartRadius = 60;
    static constexpr double kEndRadius = 520;

    explicit OnboardingBackdrop(OnboardingPage page, QWidget* parent = nullptr);

    void setPage(OnboardingPage page);
    // The glow's colour as drawn now.
    QColor glowColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OnboardingPage from_;
    OnboardingPage to_;
    AnimatedValue* blend_; // 0 shows `from_`, 1 shows `to_`
};

} // namespace zn
