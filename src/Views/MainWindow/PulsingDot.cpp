#include "Views/MainWindow/PulsingDot.h"

#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Motion/RepeatingAnimation.h"
#include "Views/Kit/Motion/ScaleAbout.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/KitStyle.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>

#include <cmath>

namespace zn {

namespace {

// The grown ring (1.6 times the dot's frame) reaches beyond the frame; the widget keeps room for it.
constexpr int kRingOverflow = 7;
constexpr double kRingRestScale = 0.8;
constexpr double kRingGrownScale = 1.6;
constexpr double kRingRestOpacity = 0.6;

} // namespace

PulsingDot::PulsingDot(ColorSource tint, bool isPulsing, QWidget* parent)
    : QFrame(parent), tint_(std::move(tint)), isPulsing_(isPulsing),
      ring_(new RepeatingAnimation(*this, static_cast<int>(kRingPeriod.count()))) {
    setFrameStyle(QFrame::NoFrame);
    KitStyle::setOverflow(*this, QMargins(kRingOverflow, kRingOverflow, kRingOverflow, kRingOverflow));
    setFixedSize(kSide + 2 * kRingOverflow, kSide + 2 * kRingOverflow);
    ring_->setWanted(isPulsing_);
}

void PulsingDot::setTint(ColorSource tint) {
    tint_ = std::move(tint);
    update();
}

void PulsingDot::setPulsing(bool pulsing) {
    if (pulsing == isPulsing_)
        return;
    isPulsing_ = pulsing;
    ring_->setWanted(isPulsing_);
    update();
}

QColor PulsingDot::tintColor() const {
    return tint_.resolve(colorScheme(*this));
}

bool PulsingDot::isRingRunning() const {
    return ring_->isRunning();
}

void PulsingDot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor tint = tintColor();
    const QPointF centre = QRectF(rect()).center();
    const auto circle = [&centre](double diameter) {
        return QRectF(centre.x() - diameter / 2, centre.y() - diameter / 2, diameter, diameter);
    };

    if (isPulsing_) {
        const double phase = Timing::easeOut(kRingPeriod).progress(ring_->phase());
        const double scale = std::lerp(kRingRestScale, kRingGrownScale, phase);
        painter.save();
        scaleAbout(painter, centre, scale);
        // The stroke lies inside the frame, as a stroked circle of the frame's size draws it.
        painter.setPen(QPen(withOpacity(tint, kRingRestOpacity * (1 - phase)), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(circle(kSide - 2));
        painter.restore();
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(withOpacity(tint, 0.2));
        painter.drawEllipse(circle(16));
    }

    const QRectF dot = circle(8);
    paintRoundedShadow(painter, dot, 4, ShadowSpec{3, QPointF(), withOpacity(tint, 0.6)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(tint);
    painter.drawEllipse(dot);
}

} // namespace zn
