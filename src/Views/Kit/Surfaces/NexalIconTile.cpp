#include "Views/Kit/Surfaces/NexalIconTile.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>

namespace zn {

NexalIconTile::NexalIconTile(QColor tint, double size, double corner, QWidget* parent)
    : QWidget(parent), tint_(tint), size_(size), corner_(corner) {
    setFixedSize(sizeHint());
}

void NexalIconTile::paint(QPainter& painter, const QRectF& frame, ColorScheme scheme, const QColor& tint,
                          double corner) {
    fillRoundedRect(painter, frame, corner, withOpacity(tint, byScheme(scheme, 0.34, 0.84)));
    const double mark = frame.width() * 0.62;
    QRectF markFrame(0, 0, mark, mark);
    markFrame.moveCenter(frame.center());
    NexalIcon::paint(painter, markFrame, Qt::white);
    strokeRoundedBorder(painter, frame, corner, withOpacity(Qt::white, byScheme(scheme, 0.2, 0.36)), 0.7);
}

QSize NexalIconTile::sizeHint() const {
    return {qRound(size_), qRound(size_)};
}

void NexalIconTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, QRectF(0, 0, size_, size_), colorScheme(*this), tint_, corner_);
}

} // namespace zn
