#pragma once

#include <QIcon>

namespace zn {

// The program's icon: a white brush on a blue-to-green tile.
QIcon applicationIcon();
// The tray item's icon: the same brush in `color`, ringed by a thin outline of the opposite lightness, since
// nothing tells the program the colour of the panel it sits on.
QIcon menuBarIcon(const QColor& color);

} // namespace zn
