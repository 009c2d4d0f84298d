#include "Views/Components/PlainButton.h"

#include "Views/Components/SchemeColors.h"

#include <QFontMetrics>
#include <QPainter>

namespace zn {

PlainButton::PlainButton(const QString& text, const QFont& font, ColorSource color, QWidget* parent)
    : QAbstractButton(parent), color_(std::move(color)) {
    setText(text);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize PlainButton::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 8, metrics.height() + 8};
}

void PlainButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QColor color = color_.resolve(colorScheme(*this));
    if (isDown())
        color = withOpacity(color, 0.5);
    painter.setFont(font());
    painter.setPen(color);
    painter.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace zn
