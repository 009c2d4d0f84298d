#pragma once

#include "Models/Tint.h"

#include <QImage>
#include <QString>

class QWidget;

namespace zn::test {

// Gives the widget (and everything in it) the palette of a scheme.
void useScheme(QWidget& widget, ColorScheme scheme);
// Writes build/screenshots/<name>.png; returns the image.
QImage saveImage(const QImage& image, const QString& name);
// The widget laid out, its queued work done and its clear buttons faded in or out, drawn.
QImage settledImage(QWidget& widget);
// Lays the widget out at `size`, renders it and writes build/screenshots/<name>.png; returns the image.
QImage saveScreenshot(QWidget& widget, const QString& name);
// Like saveScreenshot, with a sheet (an alert, a dialog: a window of its own) drawn onto the window's picture
// where the desktop shows it, below the window's top edge, over a dimmed window.
QImage saveScreenshotWithSheet(QWidget& window, QWidget& sheet, int top, const QString& name);
// Like saveScreenshot, with a popup (an open menu: a window of its own) drawn onto the window's picture with
// its top-left corner at `topLeft` of the window (the test screen may be smaller than the window).
QImage saveScreenshotWithPopup(QWidget& window, QWidget& popup, QPoint topLeft, const QString& name);
// "light" or "dark", for screenshot names.
QString schemeName(ColorScheme scheme);

} // namespace zn::test
