#pragma once

#include "Views/Onboarding/OnboardingPage.h"

#include <QWidget>

#include <array>

namespace zn {

class AnimatedValue;

// One capsule per page: the current page's long and dark, the others short and faint; a change of page
// springs from one to the other.
class PageDots : public QWidget {
    Q_OBJECT

public:
    static constexpr double kDotSide = 6;
    static constexpr double kCurrentWidth = 18;
    static constexpr double kSpacing = 6;

    explicit PageDots(OnboardingPage page, QWidget* parent = nullptr);

    void setPage(OnboardingPage page);
    // How far each capsule stands out, 0 (another page) to 1 (the current page).
    double emphasis(OnboardingPage page) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<AnimatedValue*, 4> emphasis_{};
};

} // namespace zn
