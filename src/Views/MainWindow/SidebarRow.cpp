#include "Views/MainWindow/SidebarRow.h"

#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Surfaces/NexalIconTile.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>
#include <QPainterPath>

namespace zn {

namespace {

constexpr double kCornerRadius = 11;
constexpr double kPaddingX = 10;
constexpr double kTileSize = 28;
constexpr double kTileCorner = 8;
constexpr double kSpacing = 12;
constexpr double kBadgePaddingX = 8;
constexpr double kBadgePaddingY = 3;
constexpr double kMinimumGap = 8;

QFont labelFont(bool selected) {
    return systemFont(13.5, selected ? QFont::DemiBold : QFont::Normal);
}

QFont badgeFont() {
    return systemFont(11.5, QFont::DemiBold);
}

} // namespace

SidebarRow::SidebarRow(Definition definition, QWidget* parent) : QAbstractButton(parent), definition_(std::move(definition)) {
    setText(definition_.label);
    setAccessibleName(definition_.label);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SidebarRow::setSelected(bool selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    update();
}

void SidebarRow::setBadge(std::optional<QString> badge) {
    if (badge == badge_)
        return;
    badge_ = std::move(badge);
    update();
}

QColor SidebarRow::iconColor() const {
    const ColorScheme scheme = colorScheme(*this);
    return selected_ ? schemeAccent(scheme) : definition_.tint.resolve(scheme);
}

QSize SidebarRow::sizeHint() const {
    const double label = TextMetrics(labelFont(true)).horizontalAdvance(text());
    return {static_cast<int>(2 * kPaddingX + kTileSize + kSpacing + label + kMinimumGap), kHeight};
}

QSize SidebarRow::minimumSizeHint() const {
    return {static_cast<int>(2 * kPaddingX + kTileSize), kHeight};
}

bool SidebarRow::hitButton(const QPoint& position) const {
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    return shape.contains(QPointF(position));
}

void SidebarRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QColor accent = schemeAccent(scheme);
    const QRectF shape(rect());

    if (selected_) {
        fillRoundedRect(painter, shape, kCornerRadius, withOpacity(accent, byScheme(scheme, 0.2, 0.16)));
        strokeRoundedBorder(painter, shape, kCornerRadius, withOpacity(accent, byScheme(scheme, 0.34, 0.24)), 0.8);
    }

    const QRectF tile(kPaddingX, (shape.height() - kTileSize) / 2, kTileSize, kTileSize);
    if (definition_.usesNexalIcon)
        NexalIconTile::paint(painter, tile, scheme, iconColor(), kTileCorner);
    else
        IconTile::paint(painter, tile, scheme, definition_.icon, iconColor(), kTileCorner);

    double right = shape.right() - kPaddingX;
    if (badge_) {
        const QFont font = badgeFont();
        painter.setFont(font);
        const double textWidth = monospacedDigitsWidth(font, *badge_);
        const double height = TextMetrics(font).height() + 2 * kBadgePaddingY;
        const QRectF capsule(right - textWidth - 2 * kBadgePaddingX, (shape.height() - height) / 2,
                             textWidth + 2 * kBadgePaddingX, height);
        const QColor primary = platformColor(PlatformColor::primaryLabel, scheme);
        fillRoundedRect(painter, capsule, capsuleRadius(capsule),
                        selected_ ? withOpacity(accent, 0.16) : withOpacity(primary, 0.07));
        painter.setPen(selected_ ? accent : platformColor(PlatformColor::secondaryLabel, scheme));
        drawMonospacedDigits(painter, capsule, Qt::AlignCenter, *badge_);
        right = capsule.left() - kMinimumGap;
    }

    const QFont font = labelFont(selected_);
    painter.setFont(font);
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    const double left = tile.right() + kSpacing;
    const QRectF label(left, 0, std::max(0.0, right - left), shape.height());
    drawText(painter, label, Qt::AlignLeft | Qt::AlignVCenter,
             TextMetrics(font).elidedText(text(), Qt::ElideRight, label.width()));
}

} // namespace zn
