#pragma once

#include "Views/Onboarding/OnboardingPage.h"

#include <QWidget>

namespace zn {

class BorderedButton;
class PageDots;
class LinkButton;

// The strip under the onboarding's pages: "Skip" or "Back" at the leading end, the page dots in the middle,
// and "Next", "Continue" or "Start" at the trailing end.
class OnboardingBottomBar : public QWidget {
    Q_OBJECT

public:
    explicit OnboardingBottomBar(OnboardingPage page, QWidget* parent = nullptr);

    void setPage(OnboardingPage page);
    LinkButton& leftButton() const { return *left_; }
    BorderedButton& rightButton() const { return *right_; }
    const PageDots& dots() const { return *dots_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LinkButton* left_;
    PageDots* dots_;
    BorderedButton* right_;
};

} // namespace zn
