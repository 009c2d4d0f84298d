#include "Views/Onboarding/WelcomeIcon.h"

#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Motion/RepeatingAnimation.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"

#include <QPainter>

namespace zn {

namespace {
constexpr double kBob = 4;
// 2.4 seconds up, 2.4 seconds back down.
constexpr int kBobCycleMs = 4800;
const Timing kBobWay = Timing::easeInOut(std::chrono::milliseconds(kBobCycleMs / 2));
} // namespace

WelcomeIcon::WelcomeIcon(QIcon icon, QWidget* parent)
    : QWidget(parent), icon_(std::move(icon)), bob_(new RepeatingAnimation(*this, kBobCycleMs)) {
    setFixedSize(static_cast<int>(kSide) + 2 * kMargin, static_cast<int>(kSide) + 2 * kMargin);
    bob_->setWanted(showsIcon());
}

double WelcomeIcon::offset() const {
    if (!showsIcon())
        return 0;
    // Out and back in one cycle, each way eased in and out.
    const double phase = bob_->phase();
    const double way = phase < 0.5 ? 2 * phase : 2 - 2 * phase;
    return kBob - 2 * kBob * kBobWay.progress(way);
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
