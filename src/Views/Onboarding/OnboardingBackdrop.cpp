#include "Views/Onboarding/OnboardingBackdrop.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>
#include <QRadialGradient>

namespace zn {

OnboardingBackdrop::OnboardingBackdrop(OnboardingPage page, QWidget* parent)
    : AppBackdrop(parent), from_(page), to_(page), blend_(new AnimatedValue(this, 1)) {}

void OnboardingBackdrop::setPage(OnboardingPage page) {
    if (page == to_)
        return;
    // A change in the middle of a blend starts from the colour on screen.
    from_ = blend_->value() < 0.5 ? from_ : to_;
    to_ = page;
    blend_->setImmediately(0);
    blend_->animateTo(1, Timing::easeInOut(std::chrono::milliseconds(600)));
}

QColor OnboardingBackdrop::glowColor() const {
    const ColorScheme scheme = colorScheme(*this);
    return mixed(pageTint(from_, scheme), pageTint(to_, scheme), std::clamp(blend_->value(), 0.0, 1.0));
}

void OnboardingBackdrop::paintEvent(QPaintEvent* event) {
    AppBackdrop::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(width(), 0), kEndRadius);
    const QColor tint = glowColor();
    glow.setColorAt(0, withOpacity(tint, kGlowOpacity));
    glow.setColorAt(kStartRadius / kEndRadius, withOpacity(tint, kGlowOpacity));
    glow.setColorAt(1, withOpacity(tint, 0));
    painter.fillRect(rect(), glow);
}

} // namespace zn
