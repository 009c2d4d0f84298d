#include "Views/Kit/Theme/MonospacedDigits.h"

#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

#include <algorithm>

namespace zn {

namespace {

double digitCell(const TextMetrics& metrics) {
    double widest = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widest = std::max(widest, metrics.horizontalAdvance(QChar::fromLatin1(digit)));
    return widest;
}

double advance(const TextMetrics& metrics, double cell, QChar character) {
    return character.isDigit() ? cell : metrics.horizontalAdvance(character);
}

} // namespace

double monospacedDigitsWidth(const QFont& font, const QString& text) {
    const TextMetrics metrics(font);
    const double cell = digitCell(metrics);
    double width = 0;
    for (const QChar character : text)
        width += advance(metrics, cell, character);
    return width;
}

QFont fontFitting(const QFont& font, const QString& text, double width, double minimumScale) {
    const double natural = monospacedDigitsWidth(font, text);
    if (natural <= width || natural <= 0)
        return font;
    QFont fitted = font;
    const double scale = std::max(minimumScale, width / natural);
    setFontSize(fitted, std::max(1.0, fontSize(font) * scale));
    return fitted;
}

double monospacedDigitsLeft(const QFont& font, const QRectF& frame, Qt::Alignment alignment, const QString& text) {
    if (alignment & Qt::AlignRight)
        return frame.right() - monospacedDigitsWidth(font, text);
    if (alignment & Qt::AlignHCenter)
        return frame.center().x() - monospacedDigitsWidth(font, text) / 2;
    return frame.left();
}

void drawMonospacedDigits(QPainter& painter, const QRectF& frame, Qt::Alignment alignment, const QString& text) {
    const TextMetrics metrics(painter.font());
    const double cell = digitCell(metrics);
    double x = monospacedDigitsLeft(painter.font(), frame, alignment, text);
    double baseline = frame.top() + metrics.ascent();
    if (alignment & Qt::AlignBottom)
        baseline = frame.bottom() - metrics.descent();
    else if (alignment & Qt::AlignVCenter)
        baseline = frame.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    for (const QChar character : text) {
        const double step = advance(metrics, cell, character);
        const double inset = character.isDigit() ? (cell - metrics.horizontalAdvance(character)) / 2 : 0;
        drawText(painter, QPointF(x + inset, baseline), QString(character));
        x += step;
    }
}

} // namespace zn
