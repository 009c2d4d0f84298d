#include "Views/Components/LinkButton.h"

#include "Views/Components/SchemeColors.h"

#include <QFontMetrics>
#include <QPainter>

namespace zn {

LinkButton::LinkButton(const QString& text, const QFont& font, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize LinkButton::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 2, metrics.height() + 2};
}

void LinkButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont drawn = font();
    drawn.setUnderline(hovering_ || hasFocus());
    painter.setFont(drawn);
    QColor color = schemeAccent(colorScheme(*this));
    if (isDown())
        color = withOpacity(color, 0.6);
    painter.setPen(color);
    painter.drawText(rect(), Qt::AlignCenter, text());
}

void LinkButton::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void LinkButton::leaveEvent(QEvent* event) {
    hovering_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace zn
