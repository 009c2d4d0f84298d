#include "Views/Onboarding/PageDots.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zn {

PageDots::PageDots(OnboardingPage page, QWidget* parent) : QWidget(parent) {
    for (const OnboardingPage each : kOnboardingPages)
        emphasis_[static_cast<std::size_t>(each)] = new AnimatedValue(this, each == page ? 1 : 0);
    setFixedSize(sizeHint());
}

void PageDots::setPage(OnboardingPage page) {
    for (const OnboardingPage each : kOnboardingPages)
        emphasis_[static_cast<std::size_t>(each)]->animateTo(each == page ? 1 : 0,
                                                             Timing::springy(0.35, 0.85));
}

double PageDots::emphasis(OnboardingPage page) const {
    return emphasis_[static_cast<std::size_t>(page)]->value();
}

QSize PageDots::sizeHint() const {
    const double count = static_cast<double>(kOnboardingPages.size());
    return {static_cast<int>(std::ceil(kCurrentWidth + (count - 1) * (kDotSide + kSpacing))),
            static_cast<int>(kDotSide)};
}

void PageDots::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor primary = platformColor(PlatformColor::primaryLabel, colorScheme(*this));
    // The row keeps its length while a spring overshoots, centred in the widget.
    double total = kSpacing * (kOnboardingPages.size() - 1);
    for (const OnboardingPage page : kOnboardingPages)
        total += std::lerp(kDotSide, kCurrentWidth, emphasis(page));
    double x = (width() - total) / 2;
    for (const OnboardingPage page : kOnboardingPages) {
        const double weight = emphasis(page);
        const QRectF capsule(x, 0, std::lerp(kDotSide, kCurrentWidth, weight), kDotSide);
        fillRoundedRect(painter, capsule, kDotSide / 2,
                        withOpacity(primary, std::lerp(0.15, 0.75, std::clamp(weight, 0.0, 1.0))));
        x += capsule.width() + kSpacing;
    }
}

} // namespace zn
