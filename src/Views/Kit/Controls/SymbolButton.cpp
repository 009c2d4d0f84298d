#include "Views/Kit/Controls/SymbolButton.h"

#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"

#include <QPainter>

#include <cmath>

namespace zn {

SymbolButton::SymbolButton(std::string systemName, double size, ColorSource color, double padding, QWidget* parent)
    : QAbstractButton(parent), systemName_(std::move(systemName)), size_(size), color_(std::move(color)),
      padding_(padding) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(sizeHint());
}

QSize SymbolButton::sizeHint() const {
    const int side = static_cast<int>(std::ceil(size_ + 2 * padding_));
    return {side, side};
}

void SymbolButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor color = color_.resolve(colorScheme(*this));
    if (isDown())
        color = withOpacity(color, 0.6);
    paintSymbol(painter, QRectF(rect()), systemName_, size_, color);
}

} // namespace zn
