#include "Views/Onboarding/WelcomeIcon.h"

#include "Views/Components/RepeatingMotion.h"
#include "Views/Components/SchemeColors.h"
#include "Views/Components/ShadowPainter.h"
#include "Views/Components/Symbols.h"

#include <QPainter>

namespace zn {

namespace {
constexpr double kBob = 4;
} // namespace

WelcomeIcon::WelcomeIcon(QIcon icon, QWidget* parent)
    : QWidget(parent), icon_(std::move(icon)), bob_(new RepeatingMotion(this, std::chrono::milliseconds(2400))) {
    setFixedSize(static_cast<int>(kSide) + 2 * kMargin, static_cast<int>(kSide) + 2 * kMargin);
}

double WelcomeIcon::offset() const {
    return showsIcon() ? kBob - 2 * kBob * bob_->value() : 0;
}

void WelcomeIcon::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (showsIcon())
        bob_->start();
}

void WelcomeIcon::hideEvent(QHideEvent* event) {
    bob_->stop();
    QWidget::hideEvent(event);
}

void WelcomeIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QRectF frame(0, 0, kSide, kSide);
    frame.moveCenter(QRectF(rect()).center() + QPointF(0, offset()));
    if (!showsIcon()) {
        const ColorScheme scheme = colorScheme(*this);
        paintSymbol(painter, frame, "sparkles", 88, qColor(byScheme(scheme, Tint::darkBlue, Tint::blue)));
        return;
    }
    // The icon's tile is a rounded square; its shadow follows that shape.
    paintRoundedShadow(painter, frame.adjusted(6, 6, -6, -6), kSide * 0.2,
                       ShadowSpec{18, QPointF(0, 8), QColor(0, 0, 0, 38)});
    painter.drawPixmap(frame.toRect(), icon_.pixmap(QSize(static_cast<int>(kSide), static_cast<int>(kSide)),
                                                    devicePixelRatioF()));
}

} // namespace zn
