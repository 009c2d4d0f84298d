#pragma once

class QWidget;

namespace zn {

// Draws the widget with everything in it at `opacity` (0..1), for fades. At 1 the effect is taken away
// again, so a widget that has faded in costs nothing more to draw.
void setWidgetOpacity(QWidget& widget, double opacity);

} // namespace zn
