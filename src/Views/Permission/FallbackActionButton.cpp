#include "Views/Permission/FallbackActionButton.h"

#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zn {

namespace {

constexpr double kPaddingX = 10;
constexpr double kPaddingY = 8;
constexpr double kTileSide = 30;
constexpr double kSpacing = 10;
constexpr double kCorner = 8;

QFont titleFont() {
    return systemFont(12.5, QFont::DemiBold);
}

QFont subtitleFont() {
    return systemFont(10.5);
}

} // namespace

FallbackActionButton::FallbackActionButton(std::string systemName, const QString& title, const QString& subtitle,
                                           QWidget* parent)
    : QAbstractButton(parent), systemName_(std::move(systemName)), subtitle_(subtitle) {
    setText(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize FallbackActionButton::sizeHint() const {
    const double textWidth = std::max(TextMetrics(titleFont()).horizontalAdvance(text()),
                                      TextMetrics(subtitleFont()).horizontalAdvance(subtitle_));
    return {static_cast<int>(std::ceil(2 * kPaddingX + kTileSide + kSpacing + textWidth)),
            static_cast<int>(2 * kPaddingY + kTileSide)};
}

QSize FallbackActionButton::minimumSizeHint() const {
    return sizeHint();
}

void FallbackActionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const ColorScheme scheme = colorScheme(*this);
    if (isDown())
        painter.setOpacity(0.7);
    const QRectF face(rect());
    fillRoundedRect(painter, face, kCorner, platformColor(PlatformColor::controlBackground, scheme));
    strokeRoundedBorder(painter, face, kCorner,
                        withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.08), 0.5);

    const QRectF tile(kPaddingX, (height() - kTileSide) / 2, kTileSide, kTileSide);
    IconTile::paint(painter, tile, scheme, systemName_, qColor(byScheme(scheme, Tint::darkGold, Tint::blue)), 7);

    const TextMetrics title(titleFont());
    const TextMetrics subtitle(subtitleFont());
    const double left = tile.right() + kSpacing;
    const double width = face.width() - left - kPaddingX;
    const double top = (height() - title.height() - 1 - subtitle.height()) / 2;
    painter.setFont(titleFont());
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    drawText(painter, QRectF(left, top, width, title.height()), Qt::AlignLeft | Qt::AlignVCenter,
             title.elidedText(text(), Qt::ElideRight, width));
    painter.setFont(subtitleFont());
    painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
    drawText(painter, QRectF(left, top + title.height() + 1, width, subtitle.height()),
             Qt::AlignLeft | Qt::AlignVCenter, subtitle.elidedText(subtitle_, Qt::ElideRight, width));
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange))
        strokeRoundedBorder(painter, face, kCorner, withOpacity(schemeAccent(scheme), 0.6), 1.5);
}

} // namespace zn
