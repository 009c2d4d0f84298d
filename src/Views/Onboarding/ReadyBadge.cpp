#include "Views/Onboarding/ReadyBadge.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/ScaleAbout.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"

#include <QPainter>

namespace zn {

ReadyBadge::ReadyBadge(bool hasFda, QWidget* parent)
    : QWidget(parent), hasFda_(hasFda), scale_(new AnimatedValue(this, 1)) {
    // Room for the popped symbol.
    setFixedSize(static_cast<int>(kDiscSide) + 8, static_cast<int>(kDiscSide) + 8);
}

void ReadyBadge::setHasFda(bool hasFda) {
    hasFda_ = hasFda;
    update();
}

QColor ReadyBadge::badgeColor() const {
    return hasFda_ ? qColor(Tint::green) : attentionColor(colorScheme(*this));
}

const char* ReadyBadge::symbol() const {
    return hasFda_ ? "checkmark" : "hand.wave.fill";
}

double ReadyBadge::scale() const {
    return scale_->value();
}

void ReadyBadge::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scale_->animateTo(kPoppedScale, Timing::springy(0.5, 0.55));
}

void ReadyBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = badgeColor();
    QRectF disc(0, 0, kDiscSide, kDiscSide);
    disc.moveCenter(QRectF(rect()).center());
    fillRoundedRect(painter, disc, kDiscSide / 2, withOpacity(color, 0.12));
    scaleAbout(painter, disc.center(), scale());
    paintSymbol(painter, disc, symbol(), 50, color);
}

} // namespace zn
