#include "Views/Kit/Surfaces/ShadowPainter.h"

#include <QCache>
#include <qdrawutil.h>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zn {

namespace {

// The platform's shadow radius is a blur radius: a Gaussian of half that deviation, reaching about 1.5 radii.
int blurReach(double radius) {
    return static_cast<int>(std::ceil(radius * 1.5));
}

// One box blur pass over the alpha channel, horizontally; run on rows, then on the transposed image.
void boxBlurRows(std::vector<int>& alpha, int width, int height, int box) {
    if (box < 1)
        return;
    std::vector<int> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        int* line = alpha.data() + static_cast<std::ptrdiff_t>(y) * width;
        std::copy(line, line + width, row.begin());
        long sum = 0;
        const int span = 2 * box + 1;
        for (int x = -box; x <= box; ++x)
            sum += row[static_cast<std::size_t>(std::clamp(x, 0, width - 1))];
        for (int x = 0; x < width; ++x) {
            line[x] = static_cast<int>(sum / span);
            sum += row[static_cast<std::size_t>(std::min(x + box + 1, width - 1))];
            sum -= row[static_cast<std::size_t>(std::max(x - box, 0))];
        }
    }
}

std::vector<int> transposed(const std::vector<int>& alpha, int width, int height) {
    std::vector<int> out(alpha.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out[static_cast<std::size_t>(x) * height + y] = alpha[static_cast<std::size_t>(y) * width + x];
    return out;
}

// Three box blurs come close to a Gaussian of deviation sigma.
void gaussianBlurAlpha(QImage& image, double sigma) {
    const int width = image.width();
    const int height = image.height();
    std::vector<int> alpha(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            alpha[static_cast<std::size_t>(y) * width + x] = qAlpha(image.pixel(x, y));
    const int box = std::max(0, static_cast<int>(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2)));
    for (int pass = 0; pass < 3; ++pass)
        boxBlurRows(alpha, width, height, box);
    alpha = transposed(alpha, width, height);
    for (int pass = 0; pass < 3; ++pass)
        boxBlurRows(alpha, height, width, box);
    alpha = transposed(alpha, height, width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(0, 0, 0, alpha[static_cast<std::size_t>(y) * width + x]));
}

// A blurred rounded square in the shadow's colour, just large enough to cut into nine pieces.
QPixmap shadowTemplate(double cornerRadius, double blurRadius, const QColor& color) {
    const int reach = blurReach(blurRadius);
    const int corner = static_cast<int>(std::ceil(cornerRadius));
    // Two pixels of straight edge between the corners become the stretched middle pieces.
    const int inner = 2 * corner + 4;
    const int side = inner + 2 * reach;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRoundedRect(QRectF(reach, reach, inner, inner), cornerRadius, cornerRadius);
    }
    gaussianBlurAlpha(image, blurRadius / 2);
    {
        QPainter tint(&image);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(image.rect(), color);
    }
    return QPixmap::fromImage(image);
}

QPixmap cachedTemplate(double cornerRadius, double blurRadius, const QColor& color) {
    static QCache<QString, QPixmap> cache(128);
    const QString key = QStringLiteral("%1/%2/%3").arg(cornerRadius).arg(blurRadius).arg(color.rgba(), 0, 16);
    if (QPixmap* found = cache.object(key))
        return *found;
    auto* made = new QPixmap(shadowTemplate(cornerRadius, blurRadius, color));
    const QPixmap copy = *made;
    cache.insert(key, made);
    return copy;
}

} // namespace

QMargins shadowReach(const ShadowSpec& shadow) {
    if (!shadow.isVisible())
        return {};
    const int reach = blurReach(shadow.radius);
    const int dx = static_cast<int>(std::ceil(std::abs(shadow.offset.x())));
    const int dy = static_cast<int>(std::ceil(std::abs(shadow.offset.y())));
    return {std::max(0, reach - (shadow.offset.x() > 0 ? dx : -dx)),
            std::max(0, reach - (shadow.offset.y() > 0 ? dy : -dy)),
            std::max(0, reach + (shadow.offset.x() > 0 ? dx : -dx)),
            std::max(0, reach + (shadow.offset.y() > 0 ? dy : -dy))};
}

void paintRoundedShadow(QPainter& painter, const QRectF& shape, double cornerRadius, const ShadowSpec& shadow) {
    if (!shadow.isVisible() || shape.isEmpty())
        return;
    const int reach = blurReach(shadow.radius);
    const int corner = static_cast<int>(std::ceil(cornerRadius));
    const QPixmap pieces = cachedTemplate(cornerRadius, shadow.radius, shadow.color);
    const int cut = reach + corner + 1;
    const QRectF target = shape.translated(shadow.offset).adjusted(-reach, -reach, reach, reach);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    qDrawBorderPixmap(&painter, target.toAlignedRect(), QMargins(cut, cut, cut, cut), pieces);
    painter.restore();
}

} // namespace zn
