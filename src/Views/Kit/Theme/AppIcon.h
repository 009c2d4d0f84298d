#pragma once

#include <QIcon>

namespace zn {

// The program's icon: a white brush on a blue-to-green tile.
QIcon applicationIcon();
// The tray item's icon: the same brush alone, in `color`.
QIcon menuBarIcon(const QColor& color);

} // namespace zn
