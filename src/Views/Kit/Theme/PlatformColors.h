#pragma once

#include "Models/Tint.h"

#include <QColor>

namespace zn {

// The desktop colours the screens name, with the values of the platform the design comes from, so every
// desktop shows the same screens.
enum class PlatformColor {
    windowBackground,
    controlBackground,
    primaryLabel,
    secondaryLabel,
    tertiaryLabel,
    quaternaryLabel,
    separator,
};

QColor platformColor(PlatformColor color, ColorScheme scheme);

} // namespace zn
