#include "Views/Kit/Controls/PlainIconButton.h"

#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"

#include <QPainter>

namespace zn {

PlainIconButton::PlainIconButton(std::string systemName, double size, ColorSource color, const QString& help,
                                 QWidget* parent)
    : QAbstractButton(parent), symbol_(std::move(systemName)), size_(size), color_(std::move(color)) {
    setToolTip(help);
    setAccessibleName(help);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

PlainIconButton::PlainIconButton(double size, QColor markTint, const QString& help, QWidget* parent)
    : PlainIconButton(std::string(), size, markTint, help, parent) {
    symbol_.reset();
}

QSize PlainIconButton::sizeHint() const {
    const int side = qRound(size_ * 1.6) + 4;
    return {side, side};
}

void PlainIconButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Dimmed at rest, full strength under the pointer or pressed.
    painter.setOpacity(isDown() ? 0.6 : underMouse() ? 1.0 : 0.85);
    const QColor color = color_.resolve(colorScheme(*this));
    if (symbol_) {
        paintSymbol(painter, rect(), *symbol_, size_, color);
        return;
    }
    QRectF mark(0, 0, size_, size_);
    mark.moveCenter(QRectF(rect()).center());
    NexalIcon::paint(painter, mark, color);
}

} // namespace zn
