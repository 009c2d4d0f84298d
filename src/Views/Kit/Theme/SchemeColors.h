#pragma once

#include "Models/Tint.h"
#include "Views/Kit/Theme/PlatformColors.h"

#include <QColor>

class QPalette;
class QWidget;

namespace zn {

// A palette colour as a toolkit colour, its opacity multiplied by `opacity`.
QColor qColor(RgbColor color, double opacity = 1.0);
QColor withOpacity(QColor color, double opacity);
// The colour `share` of the way from `from` (0) to `to` (1), the opacity too.
QColor mixed(const QColor& from, const QColor& to, double share);

// The scheme a widget is drawn in, read from its palette at every paint so nothing outlives a change.
ColorScheme colorScheme(const QPalette& palette);
ColorScheme colorScheme(const QWidget& widget);
QColor platformColor(const QWidget& widget, PlatformColor color);

// The dark value in the dark scheme, the light value otherwise.
template <typename T> T byScheme(ColorScheme scheme, T dark, T light) {
    return scheme == ColorScheme::dark ? dark : light;
}

// Green in the dark scheme, blue in the light one: the tint and accent of every window.
QColor schemeAccent(ColorScheme scheme);
// Warnings: gold in the dark scheme, orange in the light one.
QColor warningColor(ColorScheme scheme);
// Calls for attention that are not warnings: gold in the dark scheme, blue in the light one.
QColor attentionColor(ColorScheme scheme);

} // namespace zn
