#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace zn {

// Numbers that change while they are watched (bytes found, percentages) keep their width: every digit takes
// the width of the widest one. The system font's own digits are proportional.
double monospacedDigitsWidth(const QFont& font, const QString& text);
// The font made smaller, down to `minimumScale` of its size, until `text` fits into `width`.
QFont fontFitting(const QFont& font, const QString& text, double width, double minimumScale);
// Where `text` starts when it is drawn into `frame` with the horizontal part of `alignment`.
double monospacedDigitsLeft(const QFont& font, const QRectF& frame, Qt::Alignment alignment, const QString& text);
void drawMonospacedDigits(QPainter& painter, const QRectF& frame, Qt::Alignment alignment, const QString& text);

} // namespace zn
