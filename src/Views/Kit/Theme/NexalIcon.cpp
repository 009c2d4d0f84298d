#include "Views/Kit/Theme/NexalIcon.h"

#include "Views/Kit/Theme/CleaningBrushIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

#include <cmath>

namespace zn {

namespace {

// The mark is a template: its white shape takes the tint through its alpha.
QPixmap tintedMark(int pixels, const QColor& tint) {
    const QString key = QStringLiteral("zn-nexal-mark/%1/%2").arg(pixels).arg(tint.rgba(), 0, 16);
    QPixmap mark;
    if (QPixmapCache::find(key, &mark))
        return mark;
    QImage image = cleaningBrushIcon(pixels);
    {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), tint);
    }
    mark = QPixmap::fromImage(image);
    QPixmapCache::insert(key, mark);
    return mark;
}

} // namespace

NexalIcon::NexalIcon(double size, QColor tint, QWidget* parent) : QWidget(parent), size_(size), tint_(tint) {
    setFixedSize(sizeHint());
}

void NexalIcon::paint(QPainter& painter, const QRectF& frame, const QColor& tint) {
    const double side = std::min(frame.width(), frame.height());
    if (side <= 0)
        return;
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int pixels = static_cast<int>(std::ceil(side * ratio));
    QRectF square(0, 0, side, side);
    square.moveCenter(frame.center());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(square, tintedMark(pixels, tint), QRectF(0, 0, pixels, pixels));
    painter.restore();
}

void NexalIcon::setTint(const QColor& tint) {
    tint_ = tint;
    update();
}

QSize NexalIcon::sizeHint() const {
    return {qRound(size_), qRound(size_)};
}

void NexalIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, rect(), tint_);
}

} // namespace zn
