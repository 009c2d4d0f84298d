#pragma once

#include <chrono>

class QWidget;

namespace zn {

// Shows a widget that has just appeared by fading it in over `duration`, eased in and out; with motion off
// it is simply there.
void fadeIn(QWidget& widget, std::chrono::milliseconds duration);

} // namespace zn
