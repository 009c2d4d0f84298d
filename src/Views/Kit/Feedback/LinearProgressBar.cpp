#include "Views/Kit/Feedback/LinearProgressBar.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/RepeatingAnimation.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>

#include <algorithm>

namespace zn {

namespace {
constexpr auto kEase = std::chrono::milliseconds(300);
constexpr int kSweepDuration = 1400;
// The moving stretch of an indeterminate bar, as a share of the track.
constexpr double kSweepLength = 0.3;
} // namespace

LinearProgressBar::LinearProgressBar(ColorSource tint, QWidget* parent)
    : QWidget(parent), tint_(std::move(tint)), shown_(new AnimatedValue(this, 0)),
      sweep_(new RepeatingAnimation(*this, kSweepDuration)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    sweep_->setWanted(true);
}

void LinearProgressBar::setValue(std::optional<double> value) {
    if (value)
        value = std::clamp(*value, 0.0, 1.0);
    const bool wasIndeterminate = !value_;
    value_ = value;
    if (value_) {
        // Leaving the sweep, the fill starts from the track's start.
        if (wasIndeterminate)
            shown_->setImmediately(0);
        shown_->animateTo(*value_, Timing::easeOut(kEase));
    }
    sweep_->setWanted(!value_);
    update();
}

QSize LinearProgressBar::sizeHint() const {
    return {160, static_cast<int>(kHeight)};
}

void LinearProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF track(0, (height() - kHeight) / 2, width(), kHeight);
    const double radius = capsuleRadius(track);
    fillRoundedRect(painter, track, radius, withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.1));
    const QColor tint = tint_.resolve(scheme);
    if (value_) {
        const double filled = track.width() * shown_->value();
        if (filled > 0)
            fillRoundedRect(painter, QRectF(track.left(), track.top(), std::max(filled, track.height()), track.height()),
                            radius, tint);
        return;
    }
    // The stretch enters at the left and leaves at the right; when still it rests at the start.
    const double length = track.width() * kSweepLength;
    double left = track.left();
    if (sweep_->isRunning())
        left = track.left() - length + sweep_->phase() * (track.width() + length);
    painter.setClipRect(track);
    fillRoundedRect(painter, QRectF(left, track.top(), length, track.height()), radius, tint);
}

} // namespace zn
