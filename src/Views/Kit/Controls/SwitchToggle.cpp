#include "Views/Kit/Controls/SwitchToggle.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>

namespace zn {

namespace {
constexpr double kKnobInset = 2;
} // namespace

SwitchToggle::SwitchToggle(QWidget* parent) : QAbstractButton(parent), knob_(new AnimatedValue(this, 0)) {
    setCheckable(true);
    setFixedSize(kSize);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void SwitchToggle::checkStateSet() {
    moveKnob();
}

void SwitchToggle::nextCheckState() {
    QAbstractButton::nextCheckState();
    moveKnob();
}

void SwitchToggle::moveKnob() {
    knob_->animateTo(isChecked() ? 1 : 0, Timing::springy(0.35, 0.78));
}

bool SwitchToggle::hitButton(const QPoint& position) const {
    return rect().contains(position);
}

void SwitchToggle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF track = QRectF(rect());
    const double on = knob_->value();
    const QColor off = withOpacity(platformColor(PlatformColor::primaryLabel, scheme), byScheme(scheme, 0.2, 0.12));
    QColor accent = schemeAccent(scheme);
    if (!isEnabled())
        accent = withOpacity(accent, 0.45);
    // The track fades from the neutral fill to the accent as the knob travels.
    fillRoundedRect(painter, track, capsuleRadius(track), off);
    fillRoundedRect(painter, track, capsuleRadius(track), withOpacity(accent, std::clamp(on, 0.0, 1.0)));

    const double side = track.height() - 2 * kKnobInset;
    const double travel = track.width() - 2 * kKnobInset - side;
    const QRectF knob(kKnobInset + travel * on, kKnobInset, side, side);
    paintRoundedShadow(painter, knob, side / 2, ShadowSpec{1.5, QPointF(0, 0.5), QColor(0, 0, 0, 60)});
    fillRoundedRect(painter, knob, side / 2, QColor(255, 255, 255, isEnabled() ? 255 : 200));
    if (hasFocus())
        strokeRoundedBorder(painter, track.adjusted(-1, -1, 1, 1), capsuleRadius(track) + 1,
                            withOpacity(schemeAccent(scheme), 0.5), 2);
}

} // namespace zn
