#include "Views/Kit/Labels/TextLabel.h"

#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextDrawing.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
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

bool TextLabel::drawsItself() const {
    // The label's own drawing rounds a half-point size up to whole pixels.
    return monospacedDigits_ || hasFractionalSize(font());
}

int TextLabel::textFlags() const {
    return static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
}

QSize TextLabel::textSize(double width) const {
    const QMargins margins = contentsMargins();
    const QSize extra(margins.left() + margins.right(), margins.top() + margins.bottom());
    if (monospacedDigits_)
        return QSize(static_cast<int>(std::ceil(monospacedDigitsWidth(font(), text()))),
                     static_cast<int>(std::ceil(TextMetrics(font()).height()))) +
               extra;
    const QRectF bounds =
        TextMetrics(font()).boundingRect(QRectF(0, 0, width - extra.width(), 1e6), textFlags(), text());
    return QSize(static_cast<int>(std::ceil(bounds.width())), static_cast<int>(std::ceil(bounds.height()))) +
           extra;
}

QSize TextLabel::sizeHint() const {
    if (!drawsItself())
        return QLabel::sizeHint();
    // A wrapping label is as wide as its text on one line, or as its maximum width allows.
    const QSize natural = textSize(1e6);
    if (!wordWrap() || natural.width() <= maximumWidth())
        return natural;
    return {maximumWidth(), heightForWidth(maximumWidth())};
}

int TextLabel::heightForWidth(int width) const {
    width = std::min(width, maximumWidth());
    if (!drawsItself())
        return QLabel::heightForWidth(width);
    return wordWrap() ? textSize(width).height() : sizeHint().height();
}

QSize TextLabel::minimumSizeHint() const {
    if (!drawsItself())
        return QLabel::minimumSizeHint();
    if (!wordWrap())
        return sizeHint();
    const int width = QLabel::minimumSizeHint().width();
    return {width, heightForWidth(width)};
}

void TextLabel::paintEvent(QPaintEvent* event) {
    if (!drawsItself()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    if (monospacedDigits_)
        drawMonospacedDigits(painter, QRectF(contentsRect()), alignment(), text());
    else
        drawText(painter, QRectF(contentsRect()), textFlags(), text());
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
