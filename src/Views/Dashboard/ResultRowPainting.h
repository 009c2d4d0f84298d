#pragma once

#include "Models/CleaningCategory.h"
#include "Models/Tint.h"

#include <QRectF>

#include <cstdint>

class QPainter;

namespace zn {

// What the rows of the dashboard's result cards share.
namespace resultRow {

// Rows are separated by a hairline that starts where their text does.
inline constexpr double kDividerInset = 54;

// The category's symbol on a tile of its colour.
void paintTile(QPainter& painter, const QRectF& tile, CleaningCategory category, ColorScheme scheme);
// The byte count at the trailing end of `content`, vertically centred; returns the width it takes.
double paintTrailingBytes(QPainter& painter, const QRectF& content, std::int64_t bytes, ColorScheme scheme);
// The hairline along the bottom of `row`.
void paintDivider(QPainter& painter, const QRectF& row, ColorScheme scheme);

} // namespace resultRow
} // namespace zn
