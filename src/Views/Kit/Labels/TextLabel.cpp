#include "Views/Kit/Labels/TextLabel.h"

#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace zn {

TextLabel::TextLabel(const QString& text, const QFont& font, ColorSource color, QWidget* parent)
    : QLabel(text, parent), color_(std::move(color)) {
    setFont(font);
    applyColor();
}

void TextLabel::setColor(ColorSource color) {
    color_ = std::move(color);
    applyColor();
}

void TextLabel::setMonospacedDigits(bool monospaced) {
    monospacedDigits_ = monospaced;
    updateGeometry();
    update();
}

QSize TextLabel::sizeHint() const {
    if (!monospacedDigits_)
        return QLabel::sizeHint();
    const QMargins margins = contentsMargins();
    return QSize(static_cast<int>(std::ceil(monospacedDigitsWidth(font(), text()))),
                 static_cast<int>(std::ceil(QFontMetricsF(font()).height()))) +
           QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

int TextLabel::heightForWidth(int width) const {
    return QLabel::heightForWidth(std::min(width, maximumWidth()));
}

QSize TextLabel::minimumSizeHint() const {
    return monospacedDigits_ ? sizeHint() : QLabel::minimumSizeHint();
}

void TextLabel::paintEvent(QPaintEvent* event) {
    if (!monospacedDigits_) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    drawMonospacedDigits(painter, QRectF(contentsRect()), alignment(), text());
}

void TextLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyColor();
}

void TextLabel::applyColor() {
    // Setting an equal palette sends no further change, so this settles at once.
    QPalette own = palette();
    own.setColor(QPalette::WindowText, color_.resolve(colorScheme(own)));
    setPalette(own);
}

} // namespace zn
