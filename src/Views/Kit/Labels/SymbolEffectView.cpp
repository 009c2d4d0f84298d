#include "Views/Kit/Labels/SymbolEffectView.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/RepeatingAnimation.h"
#include "Views/Kit/Motion/ScaleAbout.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace zn {

namespace {
constexpr double kBounceGrowth = 0.22;
constexpr auto kBounceDuration = std::chrono::milliseconds(550);
constexpr int kGlowDuration = 1400;
constexpr double kGlowDimmest = 0.45;
// The bounce's growth over its course, 0 to 1: up quickly, then settling, back to 0 at the end.
double bounceShape(double progress) {
    constexpr double kPeak = 0.3343; // the largest value of the curve below, so the peak is 1
    return std::sin(progress * M_PI) * std::exp(-3 * progress) / kPeak;
}

} // namespace

SymbolEffectView::SymbolEffectView(std::string systemName, double size, ColorSource color, QWidget* parent)
    : QWidget(parent), systemName_(std::move(systemName)), size_(size), color_(std::move(color)),
      bounce_(new AnimatedValue(this, 1)), glow_(new RepeatingAnimation(*this, kGlowDuration)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolEffectView::setGradientEnd(std::optional<ColorSource> end) {
    gradientEnd_ = std::move(end);
    update();
}

void SymbolEffectView::setDisc(std::optional<ColorSource> fill) {
    disc_ = std::move(fill);
    update();
}

void SymbolEffectView::bounce() {
    if (!Motion::enabled())
        return;
    bounce_->setImmediately(0);
    bounce_->animateTo(1, Timing::easeOut(kBounceDuration));
}

void SymbolEffectView::bounceOnChange(long long value) {
    if (lastValue_ && *lastValue_ != value)
        bounce();
    lastValue_ = value;
}

void SymbolEffectView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    lastValue_.reset();
}

void SymbolEffectView::setRepeatingGlow(bool glowing) {
    glow_->setWanted(glowing);
}

QSize SymbolEffectView::sizeHint() const {
    const int side = symbolFont(size_).pixelSize();
    return {side, side};
}

void SymbolEffectView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF frame(rect());
    if (disc_) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(disc_->resolve(scheme));
        painter.drawEllipse(frame);
    }
    const double scale = 1 + kBounceGrowth * bounceShape(bounce_->value());
    scaleAbout(painter, frame.center(), scale);
    if (glow_->isRunning()) {
        // Dims and brightens again, once per cycle.
        const double phase = glow_->phase();
        painter.setOpacity(kGlowDimmest + (1 - kGlowDimmest) * (0.5 + 0.5 * std::cos(phase * 2 * M_PI)));
    }
    if (!gradientEnd_) {
        paintSymbol(painter, frame, systemName_, size_, color_.resolve(scheme));
        return;
    }
    // The symbol is drawn white, then the gradient takes its shape.
    const double ratio = devicePixelRatioF();
    QPixmap layer((frame.size() * ratio).toSize());
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter symbol(&layer);
        symbol.setRenderHint(QPainter::Antialiasing);
        paintSymbol(symbol, QRectF(QPointF(0, 0), frame.size()), systemName_, size_, Qt::white);
        symbol.setCompositionMode(QPainter::CompositionMode_SourceIn);
        QLinearGradient gradient(QPointF(0, 0), QPointF(frame.width(), frame.height()));
        gradient.setColorAt(0, color_.resolve(scheme));
        gradient.setColorAt(1, gradientEnd_->resolve(scheme));
        symbol.fillRect(QRectF(QPointF(0, 0), frame.size()), gradient);
    }
    painter.drawPixmap(frame.topLeft(), layer);
}

} // namespace zn
