#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRectF>

#include <optional>
#include <string_view>
#include <vector>

class QPainter;

namespace zn {

// The screens name their symbols as the platform the design comes from does ("gearshape.fill"); each name
// maps to one glyph of the Material Icons font.
std::optional<char16_t> symbolGlyph(std::string_view name);
std::vector<std::string_view> symbolNames();

// The symbol font drawn at the size of text of `size` points, so a symbol sits well beside that text.
QFont symbolFont(double size);

// Draws the symbol centred in `frame`. A name the table lacks draws a visible placeholder, a box with a
// question mark, and is logged once.
void paintSymbol(QPainter& painter, const QRectF& frame, std::string_view name, double size, const QColor& color);
// The symbol as an icon for toolkit widgets (tabs, menus), at `size` points in `color`.
QIcon symbolIcon(std::string_view name, double size, const QColor& color);

} // namespace zn
