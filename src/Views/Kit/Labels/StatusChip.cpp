#include "Views/Kit/Labels/StatusChip.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace zn {

namespace {

constexpr double kSymbolSize = 9;
constexpr double kSpacing = 4;
constexpr double kHorizontalPadding = 8;
constexpr double kVerticalPadding = 3;

QFont labelFont() {
    return systemFont(11, QFont::DemiBold);
}

double symbolWidth() {
    return QFontMetricsF(symbolFont(kSymbolSize)).height() * 0.85;
}

} // namespace

StatusChip::StatusChip(QString label, std::optional<std::string> systemImage, QColor tint, QWidget* parent)
    : QWidget(parent), label_(std::move(label)), systemImage_(std::move(systemImage)), tint_(tint) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSizeF StatusChip::size(const QString& label, const std::optional<std::string>& systemImage) {
    const QFont font = labelFont();
    double width = monospacedDigitsWidth(font, label);
    if (systemImage)
        width += symbolWidth() + kSpacing;
    return {width + 2 * kHorizontalPadding, std::ceil(QFontMetricsF(font).height()) + 2 * kVerticalPadding};
}

void StatusChip::paint(QPainter& painter, const QRectF& frame, ColorScheme scheme, const QString& label,
                       const std::optional<std::string>& systemImage, const QColor& tint) {
    const double radius = capsuleRadius(frame);
    fillRoundedRect(painter, frame, radius, withOpacity(tint, byScheme(scheme, 0.16, 0.14)));
    strokeRoundedBorder(painter, frame, radius, withOpacity(Qt::white, byScheme(scheme, 0.12, 0.45)), 0.5);
    double x = frame.left() + kHorizontalPadding;
    if (systemImage) {
        const double side = symbolWidth();
        paintSymbol(painter, QRectF(x, frame.top(), side, frame.height()), *systemImage, kSymbolSize, tint);
        x += side + kSpacing;
    }
    painter.save();
    painter.setFont(labelFont());
    painter.setPen(tint);
    // Figures in chips stacked in a column line up: every digit takes one width.
    drawMonospacedDigits(painter, QRectF(x, frame.top(), frame.right() - x, frame.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
    painter.restore();
}

void StatusChip::setTint(const QColor& tint) {
    tint_ = tint;
    update();
}

QSize StatusChip::sizeHint() const {
    return size(label_, systemImage_).toSize() + QSize(1, 0);
}

void StatusChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, QRectF(rect()), colorScheme(*this), label_, systemImage_, tint_);
}

} // namespace zn
