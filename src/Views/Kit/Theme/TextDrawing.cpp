#include "Views/Kit/Theme/TextDrawing.h"

#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

#include <cmath>

namespace zn {

namespace {

struct RenderFont {
    QFont font;
    double scale = 1;
};

// The font the engine is asked for and how much to scale what it draws.
RenderFont renderFont(const QFont& font) {
    if (!hasFractionalSize(font))
        return {font};
    RenderFont doubled{font, 0.5};
    doubled.font.setPixelSize(qRound(fontSize(font) * 2));
    if (font.letterSpacingType() == QFont::AbsoluteSpacing)
        doubled.font.setLetterSpacing(QFont::AbsoluteSpacing, font.letterSpacing() * 2);
    return doubled;
}

QRectF scaledRect(const QRectF& rect, double factor) {
    return {rect.x() * factor, rect.y() * factor, rect.width() * factor, rect.height() * factor};
}

} // namespace

bool hasFractionalSize(const QFont& font) {
    const double size = fontSize(font);
    return std::abs(size - std::round(size)) > 1e-6;
}

TextMetrics::TextMetrics(const QFont& font) : TextMetrics(renderFont(font).font, renderFont(font).scale) {}

TextMetrics::TextMetrics(const QFont& engineFont, double scale) : metrics_(engineFont), scale_(scale) {}

QString TextMetrics::elidedText(const QString& text, Qt::TextElideMode mode, double width) const {
    return metrics_.elidedText(text, mode, width / scale_);
}

QRectF TextMetrics::boundingRect(const QRectF& rect, int flags, const QString& text) const {
    return scaledRect(metrics_.boundingRect(scaledRect(rect, 1 / scale_), flags, text), scale_);
}

void drawText(QPainter& painter, const QRectF& rect, int flags, const QString& text) {
    const RenderFont render = renderFont(painter.font());
    if (render.scale == 1) {
        painter.drawText(rect, flags, text);
        return;
    }
    painter.save();
    painter.setFont(render.font);
    painter.scale(render.scale, render.scale);
    painter.drawText(scaledRect(rect, 1 / render.scale), flags, text);
    painter.restore();
}

void drawText(QPainter& painter, const QPointF& baseline, const QString& text) {
    const RenderFont render = renderFont(painter.font());
    if (render.scale == 1) {
        painter.drawText(baseline, text);
        return;
    }
    painter.save();
    painter.setFont(render.font);
    painter.scale(render.scale, render.scale);
    painter.drawText(baseline / render.scale, text);
    painter.restore();
}

} // namespace zn
