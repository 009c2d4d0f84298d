#include "Views/Kit/Labels/MiddleElidedLabel.h"

#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextDrawing.h"

#include <QPainter>

#include <cmath>

namespace zn {

MiddleElidedLabel::MiddleElidedLabel(const QString& text, const QFont& font, ColorSource color, QWidget* parent)
    : QWidget(parent), text_(text), color_(std::move(color)) {
    setFont(font);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    updateToolTip();
}

void MiddleElidedLabel::setText(const QString& text) {
    if (text_ == text)
        return;
    text_ = text;
    updateGeometry();
    updateToolTip();
    update();
}

QString MiddleElidedLabel::shownText() const {
    return TextMetrics(font()).elidedText(text_, Qt::ElideMiddle, width());
}

QSize MiddleElidedLabel::sizeHint() const {
    const TextMetrics metrics(font());
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text_))),
            static_cast<int>(std::ceil(metrics.height()))};
}

QSize MiddleElidedLabel::minimumSizeHint() const {
    return {0, sizeHint().height()};
}

void MiddleElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(color_.resolve(colorScheme(*this)));
    drawText(painter, QRectF(rect()), Qt::AlignLeft | Qt::AlignVCenter, shownText());
}

void MiddleElidedLabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateToolTip();
}

void MiddleElidedLabel::updateToolTip() {
    setToolTip(shownText() == text_ ? QString() : text_);
}

} // namespace zn
