#include "Views/Settings/RadioOption.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace zn {

namespace {
constexpr double kIndicatorSide = 14;
constexpr double kIndicatorSpacing = 8;
constexpr double kLineSpacing = 1;

QFont labelFont() {
    return textFont(TextStyle::body);
}

QFont captionFont() {
    return textFont(TextStyle::caption);
}
} // namespace

RadioOption::RadioOption(const QString& label, const QString& caption, QWidget* parent)
    : QAbstractButton(parent), caption_(caption) {
    setText(label);
    setCheckable(true);
    setAutoExclusive(true);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize RadioOption::sizeHint() const {
    const QFontMetricsF label(labelFont());
    const QFontMetricsF caption(captionFont());
    const double width = kIndicatorSide + kIndicatorSpacing +
                         std::max(label.horizontalAdvance(text()), caption.horizontalAdvance(caption_));
    return {static_cast<int>(std::ceil(width)),
            static_cast<int>(std::ceil(label.height() + kLineSpacing + caption.height()))};
}

void RadioOption::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QFontMetricsF label(labelFont());

    // The indicator sits on the label's line.
    const QRectF indicator(0.5, (label.height() - kIndicatorSide) / 2, kIndicatorSide, kIndicatorSide);
    if (isChecked()) {
        fillRoundedRect(painter, indicator, kIndicatorSide / 2, schemeAccent(scheme));
        const QRectF dot = QRectF(0, 0, 6, 6).translated(indicator.center() - QPointF(3, 3));
        fillRoundedRect(painter, dot, 3, Qt::white);
    } else {
        fillRoundedRect(painter, indicator, kIndicatorSide / 2,
                        byScheme(scheme, QColor(255, 255, 255, 20), QColor(255, 255, 255)));
        strokeRoundedBorder(
            painter, indicator, kIndicatorSide / 2,
            withOpacity(platformColor(PlatformColor::primaryLabel, scheme), isDown() ? 0.45 : 0.28), 1);
    }
    if (hasFocus())
        strokeRoundedBorder(painter, indicator.adjusted(-2, -2, 2, 2), kIndicatorSide / 2 + 2,
                            withOpacity(schemeAccent(scheme), 0.5), 2);

    const double textLeft = kIndicatorSide + kIndicatorSpacing;
    painter.setFont(labelFont());
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    painter.drawText(QRectF(textLeft, 0, width() - textLeft, label.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
    painter.setFont(captionFont());
    painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
    painter.drawText(QRectF(textLeft, label.height() + kLineSpacing, width() - textLeft,
                            QFontMetricsF(captionFont()).height()),
                     Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

} // namespace zn
