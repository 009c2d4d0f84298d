#include "Views/Kit/Surfaces/IconTile.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"

#include <QPainter>

namespace zn {

IconTile::IconTile(std::string systemName, QColor tint, double size, double corner, bool /*glow*/, QWidget* parent)
    : QWidget(parent), systemName_(std::move(systemName)), tint_(tint), size_(size), corner_(corner) {
    setFixedSize(sizeHint());
}

void IconTile::paint(QPainter& painter, const QRectF& frame, ColorScheme scheme, std::string_view systemName,
                     const QColor& tint, double corner) {
    fillRoundedRect(painter, frame, corner, withOpacity(tint, byScheme(scheme, 0.18, 0.14)));
    paintSymbol(painter, frame, systemName, frame.width() * 0.52, tint);
    strokeRoundedBorder(painter, frame, corner, withOpacity(Qt::white, byScheme(scheme, 0.18, 0.12)), 0.7);
}

void IconTile::setSymbol(std::string systemName) {
    systemName_ = std::move(systemName);
    update();
}

void IconTile::setTint(const QColor& tint) {
    tint_ = tint;
    update();
}

QSize IconTile::sizeHint() const {
    return {qRound(size_), qRound(size_)};
}

void IconTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, QRectF(0, 0, size_, size_), colorScheme(*this), systemName_, tint_, corner_);
}

} // namespace zn
