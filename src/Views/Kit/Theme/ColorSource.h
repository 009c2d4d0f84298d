#pragma once

#include "Models/Tint.h"
#include "Views/Kit/Theme/PlatformColors.h"

#include <QColor>

#include <functional>
#include <variant>

namespace zn {

// Where a text or symbol takes its colour: a platform colour of the scheme in effect, a colour chosen per
// scheme, or one fixed colour. Resolved at every paint, so a change of scheme recolours it.
class ColorSource {
public:
    ColorSource(PlatformColor color) : source_(color) {}
    ColorSource(QColor color) : source_(color) {}
    ColorSource(Qt::GlobalColor color) : source_(QColor(color)) {}
    ColorSource(QColor (*pick)(ColorScheme)) : source_(std::function<QColor(ColorScheme)>(pick)) {}
    ColorSource(std::function<QColor(ColorScheme)> pick) : source_(std::move(pick)) {}

    QColor resolve(ColorScheme scheme) const;

private:
    std::variant<PlatformColor, QColor, std::function<QColor(ColorScheme)>> source_;
};

// The dark tint in the dark scheme, the light one otherwise.
ColorSource tintByScheme(RgbColor dark, RgbColor light);

} // namespace zn
