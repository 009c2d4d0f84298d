#include "Views/Components/MonospacedDigits.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace zn {

namespace {

double digitCell(const QFontMetricsF& metrics) {
    double widest = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widest = std::max(widest, metrics.horizontalAdvance(QChar::fromLatin1(digit)));
    return widest;
}

double advance(const QFontMetricsF& metrics, double cell, QChar character) {
    return character.isDigit() ? cell : metrics.horizontalAdvance(character);
}

} // namespace

double monospacedDigitsWidth(const QFont& font, const QString& text) {
    const QFontMetricsF metrics(font);
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
    fitted.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale)));
    return fitted;
}

void drawMonospacedDigits(QPainter& painter, const QRectF& frame, Qt::Alignment alignment, const QString& text) {
    const QFontMetricsF metrics(painter.font());
    const double cell = digitCell(metrics);
    const double width = monospacedDigitsWidth(painter.font(), text);
    double x = frame.left();
    if (alignment & Qt::AlignRight)
        x = frame.right() - width;
    else if (alignment & Qt::AlignHCenter)
        x = frame.center().x() - width / 2;
    double baseline = frame.top() + metrics.ascent();
    if (alignment & Qt::AlignBottom)
        baseline = frame.bottom() - metrics.descent();
    else if (alignment & Qt::AlignVCenter)
        baseline = frame.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    for (const QChar character : text) {
        const double step = advance(metrics, cell, character);
        const double inset = character.isDigit() ? (cell - metrics.horizontalAdvance(character)) / 2 : 0;
        painter.drawText(QPointF(x + inset, baseline), QString(character));
        x += step;
    }
}

} // namespace zn
