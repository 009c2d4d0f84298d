#pragma once

#include <QImage>

namespace zn {

// The product mark: a slanted brush, white on transparent, `side` pixels square. Callers tint it.
QImage cleaningBrushIcon(int side);

} // namespace zn
