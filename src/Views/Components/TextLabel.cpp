#include "Views/Components/TextLabel.h"

#include "Views/Components/SchemeColors.h"

#include <QEvent>

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
