#include "Views/Kit/Labels/SymbolView.h"

#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"

#include <QPainter>

namespace zn {

SymbolView::SymbolView(std::string systemName, double size, ColorSource color, QWidget* parent)
    : QWidget(parent), systemName_(std::move(systemName)), size_(size), color_(std::move(color)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolView::setSymbol(std::string systemName) {
    systemName_ = std::move(systemName);
    update();
}

void SymbolView::setColor(ColorSource color) {
    color_ = std::move(color);
    update();
}

QSize SymbolView::sizeHint() const {
    const int side = symbolFont(size_).pixelSize();
    return {side, side};
}

void SymbolView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSymbol(painter, QRectF(rect()), systemName_, size_, color_.resolve(colorScheme(*this)));
}

} // namespace zn
