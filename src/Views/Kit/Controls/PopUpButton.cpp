#include "Views/Kit/Controls/PopUpButton.h"

#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/ChevronPainter.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace zn {

namespace {
constexpr double kHeight = 24;
constexpr double kCornerRadius = 5;
constexpr double kIndicatorSide = 16;
constexpr double kPadding = 9;
} // namespace

PopUpButton::PopUpButton(QWidget* parent) : QComboBox(parent) {
    setFont(textFont(TextStyle::body));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize PopUpButton::sizeHint() const {
    const QFontMetricsF metrics(font());
    double widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    return {static_cast<int>(std::ceil(kPadding + widest + 12 + kIndicatorSide + 4)), static_cast<int>(kHeight) + 1};
}

void PopUpButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    if (!isEnabled())
        painter.setOpacity(0.5);
    const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -1);
    BorderedButton::paintStandardFace(painter, shape, kCornerRadius, scheme, view()->isVisible());

    const QRectF indicator(shape.right() - kIndicatorSide - 4, shape.center().y() - kIndicatorSide / 2, kIndicatorSide,
                           kIndicatorSide);
    fillRoundedRect(painter, indicator, 4, schemeAccent(scheme));
    paintUpDownChevrons(painter, indicator, Qt::white);

    painter.setFont(font());
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    painter.drawText(QRectF(shape.left() + kPadding, shape.top(), indicator.left() - shape.left() - kPadding - 4, shape.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, currentText());
}

} // namespace zn
