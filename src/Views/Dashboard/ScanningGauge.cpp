#include "Views/Dashboard/ScanningGauge.h"

#include "Views/Components/AnimatedValue.h"
#include "Views/Components/NumericTextTransition.h"
#include "Views/Components/SchemeColors.h"
#include "Views/Components/TextStyles.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/GaugePainting.h"

#include <QPainter>

#include <cmath>

namespace zn {

namespace {
constexpr int kTurnDuration = 4000;
// Published progress arrives in steps; the arc eases between them.
constexpr auto kArcEase = std::chrono::milliseconds(450);
} // namespace

ScanningGauge::ScanningGauge(ColorSource tint, QString label, QWidget* parent)
    : QWidget(parent), tint_(std::move(tint)), label_(std::move(label)),
      arc_(new AnimatedValue(this, dashboard::scanningArcFraction(0))),
      figure_(new NumericTextTransition(this, QStringLiteral("0%"))) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    spin_.setStartValue(0.0);
    spin_.setEndValue(1.0);
    spin_.setDuration(kTurnDuration);
    spin_.setLoopCount(-1);
    spin_.setEasingCurve(QEasingCurve::Linear);
    connect(&spin_, &QVariantAnimation::valueChanged, this, qOverload<>(&QWidget::update));
}

void ScanningGauge::setProgress(double progress) {
    progress_ = progress;
    arc_->animateTo(arcFraction(), Timing::easeOut(kArcEase));
    figure_->setText(percentText());
    update();
}

double ScanningGauge::arcFraction() const {
    return dashboard::scanningArcFraction(progress_);
}

QString ScanningGauge::percentText() const {
    return QString::number(dashboard::truncatedPercent(progress_)) + QLatin1Char('%');
}

double ScanningGauge::spin() const {
    return spin_.state() == QAbstractAnimation::Running ? spin_.currentValue().toDouble() : 0.0;
}

QSize ScanningGauge::sizeHint() const {
    return {180, 180};
}

void ScanningGauge::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateSpin();
}

void ScanningGauge::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    updateSpin();
}

void ScanningGauge::updateSpin() {
    // The turn runs on the animation timer, and only while someone can see it.
    const bool turning = isVisible() && Motion::enabled();
    if (turning && spin_.state() != QAbstractAnimation::Running)
        spin_.start();
    else if (!turning)
        spin_.stop();
}

void ScanningGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF bounds(rect());
    const QRectF ring = gauge::ringRect(bounds);
    gauge::paintTrack(painter, ring, scheme);
    // From three o'clock, clockwise, turned further clockwise by the spin.
    gauge::paintArc(painter, ring, tint_.resolve(scheme), spin() * 360, arc_->value());
    gauge::paintCentre(painter, bounds, scheme, systemFont(36, QFont::DemiBold), *figure_, label_);
}

} // namespace zn
