#include "Views/Dashboard/ScanningGauge.h"

#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/GaugePainting.h"
#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/NumericTextTransition.h"
#include "Views/Kit/Motion/RepeatingAnimation.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

namespace zn {

namespace {
constexpr int kTurnDuration = 4000;
// Published progress arrives in steps; the arc eases between them.
constexpr auto kArcEase = std::chrono::milliseconds(450);
} // namespace

ScanningGauge::ScanningGauge(ColorSource tint, QString label, QWidget* parent)
    : QWidget(parent), tint_(std::move(tint)), label_(std::move(label)),
      arc_(new AnimatedValue(this, dashboard::scanningArcFraction(0))),
      figure_(new NumericTextTransition(this, QStringLiteral("0%"))),
      spin_(new RepeatingAnimation(*this, kTurnDuration)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // The turn runs for as long as the gauge is on screen.
    spin_->setWanted(true);
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
    return spin_->phase();
}

QSize ScanningGauge::sizeHint() const {
    return {180, 180};
}

void ScanningGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ColorScheme scheme = colorScheme(*this);
    // From three o'clock, clockwise, turned further clockwise by the spin.
    gauge::paint(painter, QRectF(rect()), scheme,
                 {tint_.resolve(scheme), spin() * 360, arc_->value(), systemFont(36, QFont::DemiBold)}, *figure_,
                 label_);
}

} // namespace zn
