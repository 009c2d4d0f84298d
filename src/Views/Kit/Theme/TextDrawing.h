#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>

class QPainter;

namespace zn {

// Text at the kit's sizes, half points included. The toolkit's font engine works in whole pixels and rounds
// a size of 11.5 up to 12; text in such a font is measured and drawn from the font at twice its size,
// scaled by a half. Fonts of whole sizes are used as they are.
class TextMetrics {
public:
    explicit TextMetrics(const QFont& font);

    double ascent() const { return metrics_.ascent() * scale_; }
    double descent() const { return metrics_.descent() * scale_; }
    double height() const { return metrics_.height() * scale_; }
    double lineSpacing() const { return metrics_.lineSpacing() * scale_; }
    // The baseline of one line centred on a box `boxHeight` high, from the box's top.
    double centredBaseline(double boxHeight) const { return (boxHeight - height()) / 2 + ascent(); }
    double horizontalAdvance(const QString& text) const { return metrics_.horizontalAdvance(text) * scale_; }
    double horizontalAdvance(QChar character) const { return metrics_.horizontalAdvance(character) * scale_; }
    QString elidedText(const QString& text, Qt::TextElideMode mode, double width) const;
    // The rectangle the text takes when drawn into `rect` with `flags` (alignment, word wrap).
    QRectF boundingRect(const QRectF& rect, int flags, const QString& text) const;

private:
    TextMetrics(const QFont& engineFont, double scale);

    QFontMetricsF metrics_;
    double scale_;
};

// Whether the font's size has a fraction of a pixel, which only the drawing here keeps.
bool hasFractionalSize(const QFont& font);

// Draws in the painter's font, at its exact size.
void drawText(QPainter& painter, const QRectF& rect, int flags, const QString& text);
void drawText(QPainter& painter, const QPointF& baseline, const QString& text);

} // namespace zn
