#include "Views/Kit/Controls/LinkButton.h"

#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextDrawing.h"

#include <QPainter>

#include <cmath>

namespace zn {

LinkButton::LinkButton(const QString& text, const QFont& font, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void LinkButton::setColor(ColorSource color) {
    color_ = std::move(color);
    update();
}

QSize LinkButton::sizeHint() const {
    const TextMetrics metrics(font());
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text()))) + 2,
            static_cast<int>(std::ceil(metrics.height()))};
}

QSize LinkButton::minimumSizeHint() const {
    return sizeHint();
}

void LinkButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const ColorScheme scheme = colorScheme(*this);
    QColor color = color_ ? color_->resolve(scheme) : schemeAccent(scheme);
    if (isDown())
        color = withOpacity(color, 0.6);
    if (!isEnabled())
        color = withOpacity(color, 0.4);
    painter.setFont(font());
    painter.setPen(color);
    drawText(painter, QRectF(rect()), Qt::AlignCenter, text());
    // Only focus that the keyboard moved is shown, as the desktop does for its own buttons.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        painter.setPen(QPen(withOpacity(schemeAccent(scheme), 0.5), 1, Qt::DotLine));
        painter.drawLine(QPointF(1, height() - 0.5), QPointF(width() - 1, height() - 0.5));
    }
}

} // namespace zn
