#include "Views/Dashboard/StatCard.h"

#include "Views/Kit/Motion/NumericTextTransition.h"
#include "Views/Kit/Motion/PressableScale.h"
#include "Views/Kit/Surfaces/CardSurface.h"
#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Surfaces/NexalIconTile.h"
#include "Views/Kit/Theme/KitStyle.h"
#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace zn {

namespace {

constexpr double kPadding = 14;
constexpr double kTile = 28;
constexpr double kTileCorner = 7;
constexpr double kTileToCaption = 8;
constexpr double kSpacing = 6;
constexpr double kHoverScale = 1.018;
constexpr double kValueMinimumScale = 0.6;
// Room for the grown card beyond its shadow.
constexpr int kHoverRoom = 3;

QFont captionFont() {
    QFont font = systemFont(12, QFont::Medium);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    return font;
}
QFont valueFont() {
    return systemFont(22, QFont::Bold);
}
QFont deltaFont() {
    return systemFont(11);
}

} // namespace

StatCard::StatCard(std::optional<std::string> symbol, ColorSource tint, QString label, QWidget* parent)
    : QFrame(parent), symbol_(std::move(symbol)), tint_(std::move(tint)), label_(std::move(label)),
      value_(new NumericTextTransition(this)), feedback_(new PressableScale(*this, kHoverScale)) {
    setFrameStyle(QFrame::NoFrame);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    const QMargins room(kHoverRoom, kHoverRoom, kHoverRoom, kHoverRoom);
    KitStyle::setOverflow(*this, CardSurface::shadowOverflow(CardElevation::standard) + room);
}

void StatCard::setValue(const QString& value) {
    value_->setText(value);
    update();
}

void StatCard::setDelta(std::optional<QString> delta) {
    if (delta == delta_)
        return;
    delta_ = std::move(delta);
    updateGeometry();
    update();
}

QString StatCard::value() const {
    return value_->text();
}

QSize StatCard::sizeHint() const {
    double height = 2 * kPadding + kTile + kSpacing + QFontMetricsF(valueFont()).height();
    if (delta_)
        height += kSpacing + QFontMetricsF(deltaFont()).height();
    return QSize(180, static_cast<int>(std::ceil(height))).grownBy(KitStyle::overflow(*this));
}

QSize StatCard::minimumSizeHint() const {
    return {100, sizeHint().height()};
}

void StatCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QColor tint = tint_.resolve(scheme);
    const QRectF surface = QRectF(rect().marginsRemoved(KitStyle::overflow(*this)));
    feedback_->applyTo(painter, surface);
    CardSurface::paint(painter, surface, scheme, tint, CardElevation::standard);

    const QRectF content = surface.adjusted(kPadding, kPadding, -kPadding, -kPadding);
    const QRectF tile(content.topLeft(), QSizeF(kTile, kTile));
    if (symbol_)
        IconTile::paint(painter, tile, scheme, *symbol_, tint, kTileCorner);
    else
        NexalIconTile::paint(painter, tile, scheme, tint, kTileCorner);
    painter.setFont(captionFont());
    painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
    const double captionLeft = tile.right() + kTileToCaption;
    painter.drawText(QRectF(captionLeft, tile.top(), content.right() - captionLeft, kTile),
                     Qt::AlignLeft | Qt::AlignVCenter, label_.toUpper());

    const double valueHeight = QFontMetricsF(valueFont()).height();
    const QRectF valueFrame(content.left(), tile.bottom() + kSpacing, content.width(), valueHeight);
    painter.setFont(fontFitting(valueFont(), value_->text(), valueFrame.width(), kValueMinimumScale));
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    value_->paint(painter, valueFrame, Qt::AlignLeft | Qt::AlignVCenter);

    if (delta_) {
        painter.setFont(deltaFont());
        painter.setPen(platformColor(PlatformColor::tertiaryLabel, scheme));
        const QRectF deltaFrame(content.left(), valueFrame.bottom() + kSpacing, content.width(),
                                QFontMetricsF(deltaFont()).height());
        painter.drawText(deltaFrame, Qt::AlignLeft | Qt::AlignVCenter,
                         QFontMetricsF(deltaFont()).elidedText(*delta_, Qt::ElideRight, deltaFrame.width()));
    }
}

} // namespace zn
