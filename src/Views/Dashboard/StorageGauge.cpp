#include "Views/Dashboard/StorageGauge.h"

#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/GaugePainting.h"
#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/NumericTextTransition.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zn {

namespace {
constexpr auto kArcEase = std::chrono::milliseconds(700);
} // namespace

StorageGauge::StorageGauge(QWidget* parent)
    : QWidget(parent), arc_(new AnimatedValue(this, 0)),
      figure_(new NumericTextTransition(this, QStringLiteral("0%"))) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StorageGauge::setPercentUsed(double fraction) {
    clamped_ = std::clamp(std::isnan(fraction) ? 0.0 : fraction, 0.0, 1.0);
    arc_->animateTo(clamped_, Timing::easeOut(kArcEase));
    figure_->setText(percentText());
    update();
}

QString StorageGauge::percentText() const {
    return QString::number(dashboard::diskPercent(clamped_)) + QLatin1Char('%');
}

bool StorageGauge::showsWarning() const {
    return dashboard::isLowSpace(clamped_);
}

QSize StorageGauge::sizeHint() const {
    return {180, 180};
}

void StorageGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ColorScheme scheme = colorScheme(*this);
    // From twelve o'clock, clockwise.
    const QColor arc = showsWarning() ? warningColor(scheme) : schemeAccent(scheme);
    gauge::paint(painter, QRectF(rect()), scheme, {arc, -90, arc_->value(), systemFont(44, QFont::DemiBold)},
                 *figure_, QStringLiteral("USED"));
}

} // namespace zn
