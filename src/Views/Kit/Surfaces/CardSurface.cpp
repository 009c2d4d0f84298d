#include "Views/Kit/Surfaces/CardSurface.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/KitStyle.h"
#include "Views/Kit/Theme/PlatformColors.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>
#include <QVBoxLayout>

namespace zn {

namespace {

ShadowSpec cardShadow(CardElevation elevation, ColorScheme scheme) {
    switch (elevation) {
    case CardElevation::flat:
        return {};
    case CardElevation::standard:
        return {4, QPointF(0, 1), withOpacity(Qt::black, byScheme(scheme, 0.22, 0.05))};
    case CardElevation::raised:
        return {10, QPointF(0, 3), withOpacity(Qt::black, byScheme(scheme, 0.3, 0.09))};
    }
    return {};
}

} // namespace

CardSurface::CardSurface(double padding, std::optional<QColor> accent, CardElevation elevation, QWidget* parent)
    : QFrame(parent), padding_(padding), accent_(std::move(accent)), elevation_(elevation),
      layout_(new QVBoxLayout(this)) {
    setFrameStyle(QFrame::NoFrame);
    layout_->setSpacing(0);
    updateMargins();
}

void CardSurface::paint(QPainter& painter, const QRectF& shape, ColorScheme scheme,
                        const std::optional<QColor>& accent, CardElevation elevation) {
    const double radius = kCornerRadius;
    paintRoundedShadow(painter, shape, radius, cardShadow(elevation, scheme));
    fillRoundedRect(painter, shape, radius, platformColor(PlatformColor::controlBackground, scheme));
    if (accent)
        fillRoundedRect(painter, shape, radius, withOpacity(*accent, byScheme(scheme, 0.03, 0.04)));
    strokeRoundedBorder(painter, shape, radius, withOpacity(Qt::white, byScheme(scheme, 0.1, 0.64)), 0.6);
    const QColor edge = accent ? withOpacity(*accent, byScheme(scheme, 0.26, 0.22))
                               : byScheme(scheme, qColor(Tint::green, 0.12), qColor(Tint::deepBlue, 0.11));
    strokeRoundedBorder(painter, shape, radius, edge, 0.75);
}

QMargins CardSurface::shadowOverflow(CardElevation elevation) {
    // The dark scheme's shadow is the darker of the two; its reach is the same in both.
    return shadowReach(cardShadow(elevation, ColorScheme::dark));
}

void CardSurface::setAccent(std::optional<QColor> accent) {
    accent_ = std::move(accent);
    update();
}

void CardSurface::updateMargins() {
    // The room for the shadow lies outside the card's layout rectangle, so the elevation never changes the
    // card's size in its layout.
    const QMargins reach = shadowOverflow(elevation_);
    KitStyle::setOverflow(*this, reach);
    const int pad = qRound(padding_);
    layout_->setContentsMargins(reach + QMargins(pad, pad, pad, pad));
}

QRectF CardSurface::surfaceRect() const {
    return QRectF(rect().marginsRemoved(KitStyle::overflow(*this)));
}

void CardSurface::paintEvent(QPaintEvent*) {
    // The card and its shadow are drawn once per size and look; repainting a part of it (under a child that
    // moves, under confetti) copies that part back.
    const ColorScheme scheme = colorScheme(*this);
    const Look look{size(), devicePixelRatioF(), scheme, accent_ ? std::optional(accent_->rgba()) : std::nullopt};
    if (picture_.isNull() || look != pictureLook_) {
        picture_ = QPixmap(size() * look.pixelRatio);
        picture_.setDevicePixelRatio(look.pixelRatio);
        picture_.fill(Qt::transparent);
        QPainter painter(&picture_);
        paint(painter, surfaceRect(), scheme, accent_, elevation_);
        pictureLook_ = look;
    }
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), picture_);
}

} // namespace zn
