#include "Views/Dashboard/SuggestionRow.h"

#include "Views/Kit/Labels/StatusChip.h"
#include "Views/Kit/Motion/PressableScale.h"
#include "Views/Kit/Surfaces/CardSurface.h"
#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Theme/KitStyle.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace zn {

namespace {

constexpr double kPadding = 14;
constexpr double kTile = 38;
constexpr double kTileCorner = 10;
constexpr double kSpacing = 14;
constexpr double kTitleToSubtitle = 2;
constexpr double kChevronSize = 11;
constexpr double kHoverScale = 1.01;
constexpr int kHoverRoom = 3;

QFont titleFont() {
    return systemFont(14, QFont::DemiBold);
}
QFont subtitleFont() {
    return systemFont(12);
}

} // namespace

SuggestionRow::SuggestionRow(Suggestion suggestion, QWidget* parent)
    : QFrame(parent), suggestion_(std::move(suggestion)), feedback_(new PressableScale(*this, kHoverScale)) {
    setFrameStyle(QFrame::NoFrame);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const QMargins room(kHoverRoom, kHoverRoom, kHoverRoom, kHoverRoom);
    KitStyle::setOverflow(*this, CardSurface::shadowOverflow(CardElevation::standard) + room);
}

void SuggestionRow::setSuggestion(Suggestion suggestion) {
    suggestion_ = std::move(suggestion);
    update();
}

QSize SuggestionRow::sizeHint() const {
    return QSize(480, static_cast<int>(2 * kPadding + kTile)).grownBy(KitStyle::overflow(*this));
}

QSize SuggestionRow::minimumSizeHint() const {
    return {200, sizeHint().height()};
}

void SuggestionRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QColor tint = suggestion_.tint.resolve(scheme);
    const QRectF surface = QRectF(rect().marginsRemoved(KitStyle::overflow(*this)));
    feedback_->applyTo(painter, surface);
    CardSurface::paint(painter, surface, scheme, tint, CardElevation::standard);

    const QRectF content = surface.adjusted(kPadding, kPadding, -kPadding, -kPadding);
    const QRectF tile(content.left(), content.center().y() - kTile / 2, kTile, kTile);
    IconTile::paint(painter, tile, scheme, suggestion_.icon, tint, kTileCorner);

    // The trailing pieces first, so the texts take what is left.
    double right = content.right();
    const QRectF chevron(right - kChevronSize, content.top(), kChevronSize, content.height());
    paintSymbol(painter, chevron, "chevron.right", kChevronSize, platformColor(PlatformColor::tertiaryLabel, scheme));
    right = chevron.left() - kSpacing;
    if (suggestion_.pill) {
        const QSizeF chip = StatusChip::size(*suggestion_.pill, std::nullopt);
        const QRectF chipFrame(right - chip.width(), content.center().y() - chip.height() / 2, chip.width(),
                               chip.height());
        StatusChip::paint(painter, chipFrame, scheme, *suggestion_.pill, std::nullopt, tint);
        right = chipFrame.left() - kSpacing;
    }

    const double left = tile.right() + kSpacing;
    const double width = std::max(0.0, right - left);
    const QFontMetricsF titleMetrics(titleFont());
    const QFontMetricsF subtitleMetrics(subtitleFont());
    const double top = content.center().y() - (titleMetrics.height() + kTitleToSubtitle + subtitleMetrics.height()) / 2;
    painter.setFont(titleFont());
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    painter.drawText(QRectF(left, top, width, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(suggestion_.title, Qt::ElideRight, width));
    painter.setFont(subtitleFont());
    painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
    painter.drawText(QRectF(left, top + titleMetrics.height() + kTitleToSubtitle, width, subtitleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     subtitleMetrics.elidedText(suggestion_.subtitle, Qt::ElideRight, width));
}

} // namespace zn
