#include "Views/Kit/Labels/NumericTextLabel.h"

#include "Views/Kit/Motion/NumericTextTransition.h"
#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace zn {

NumericTextLabel::NumericTextLabel(const QFont& font, ColorSource color, QWidget* parent)
    : QWidget(parent), color_(std::move(color)), transition_(new NumericTextTransition(this)) {
    setFont(font);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QString NumericTextLabel::text() const {
    return transition_->text();
}

void NumericTextLabel::setText(const QString& text) {
    if (text == transition_->text())
        return;
    transition_->setText(text);
    updateGeometry();
    update();
}

void NumericTextLabel::setColor(ColorSource color) {
    color_ = std::move(color);
    update();
}

void NumericTextLabel::setMinimumScaleFactor(double factor) {
    minimumScaleFactor_ = factor;
    updateGeometry();
}

QSize NumericTextLabel::sizeHint() const {
    return {static_cast<int>(std::ceil(monospacedDigitsWidth(font(), text()))),
            static_cast<int>(std::ceil(QFontMetricsF(font()).height()))};
}

QSize NumericTextLabel::minimumSizeHint() const {
    const QSize natural = sizeHint();
    return {static_cast<int>(std::ceil(natural.width() * minimumScaleFactor_)), natural.height()};
}

void NumericTextLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(fontFitting(font(), text(), width(), minimumScaleFactor_));
    painter.setPen(color_.resolve(colorScheme(*this)));
    transition_->paint(painter, QRectF(rect()), Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace zn
