#pragma once

#include "Models/Tint.h"

#include <QImage>
#include <QString>

class QWidget;

namespace zn::test {

// Gives the widget (and everything in it) the palette of a scheme.
void useScheme(QWidget& widget, ColorScheme scheme);
// Lays the widget out at `size`, renders it and writes build/screenshots/<name>.png; returns the image.
QImage saveScreenshot(QWidget& widget, const QString& name);
// "light" or "dark", for screenshot names.
QString schemeName(ColorScheme scheme);

} // namespace zn::test
