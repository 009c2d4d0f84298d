#include "Views/Permission/WaitingDot.h"

#include "Views/Kit/Motion/BreathingValue.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>

namespace zn {

WaitingDot::WaitingDot(const BreathingValue& pulse, QWidget* parent) : QWidget(parent), pulse_(pulse) {
    setFixedSize(kSide, kSide);
    connect(&pulse, &BreathingValue::changed, this, qOverload<>(&QWidget::update));
}

void WaitingDot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor accent = schemeAccent(colorScheme(*this));
    const QPointF centre = QRectF(rect()).center();
    constexpr double ring = 1.5;
    painter.setPen(QPen(withOpacity(accent, 0.3), ring));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, kSide / 2.0 - ring / 2, kSide / 2.0 - ring / 2);

    const double pulse = pulse_.value();
    const double radius = 3 * (0.8 + 0.6 * pulse);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withOpacity(accent, 1 - 0.6 * pulse));
    painter.drawEllipse(centre, radius, radius);
}

} // namespace zn
