#include "Views/Kit/Controls/DisclosureButton.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

#include <cmath>

namespace zn {

DisclosureButton::DisclosureButton(const QString& text, const QFont& font, ColorSource color, QWidget* parent)
    : QAbstractButton(parent), color_(std::move(color)), turn_(new AnimatedValue(this, 0)) {
    setText(text);
    setFont(font);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::toggled, this, [this](bool open) {
        turn_->animateTo(open ? 1 : 0, Timing::easeInOut(std::chrono::milliseconds(200)));
    });
}

QSize DisclosureButton::sizeHint() const {
    const TextMetrics metrics(font());
    return {static_cast<int>(std::ceil(kChevronWidth + metrics.horizontalAdvance(text()))) + 2,
            static_cast<int>(std::ceil(metrics.height())) + 4};
}

QSize DisclosureButton::minimumSizeHint() const {
    return sizeHint();
}

void DisclosureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    QColor color = color_.resolve(scheme);
    if (isDown())
        color = withOpacity(color, 0.6);
    const QRectF chevron(0, 0, kChevronWidth, height());
    painter.save();
    painter.translate(chevron.center());
    painter.rotate(90 * turn_->value());
    painter.translate(-chevron.center());
    paintSymbol(painter, chevron, "chevron.right", fontSize(font()), color);
    painter.restore();
    painter.setFont(font());
    painter.setPen(color);
    drawText(painter, QRectF(kChevronWidth, 0, width() - kChevronWidth, height()),
             Qt::AlignLeft | Qt::AlignVCenter, text());
    // Only focus that the keyboard moved is shown, as the desktop does for its own buttons.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        painter.setPen(QPen(withOpacity(schemeAccent(scheme), 0.5), 1, Qt::DotLine));
        painter.drawLine(QPointF(kChevronWidth, height() - 0.5), QPointF(width() - 1, height() - 0.5));
    }
}

} // namespace zn
