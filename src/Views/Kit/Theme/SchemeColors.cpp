#include "Views/Kit/Theme/SchemeColors.h"

#include <QPalette>
#include <QWidget>

#include <cmath>

namespace zn {

QColor qColor(RgbColor color, double opacity) {
    return QColor::fromRgbF(static_cast<float>(color.red), static_cast<float>(color.green),
                            static_cast<float>(color.blue), static_cast<float>(opacity));
}

QColor withOpacity(QColor color, double opacity) {
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

QColor mixed(const QColor& from, const QColor& to, double share) {
    const auto channel = [share](float a, float b) { return static_cast<float>(std::lerp(a, b, share)); };
    return QColor::fromRgbF(channel(from.redF(), to.redF()), channel(from.greenF(), to.greenF()),
                            channel(from.blueF(), to.blueF()), channel(from.alphaF(), to.alphaF()));
}

ColorScheme colorScheme(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128 ? ColorScheme::dark : ColorScheme::light;
}

ColorScheme colorScheme(const QWidget& widget) {
    return colorScheme(widget.palette());
}

QColor platformColor(const QWidget& widget, PlatformColor color) {
    return platformColor(color, colorScheme(widget));
}

QColor schemeAccent(ColorScheme scheme) {
    return qColor(byScheme(scheme, Tint::green, Tint::blue));
}

QColor warningColor(ColorScheme scheme) {
    return qColor(byScheme(scheme, Tint::darkGold, Tint::orange));
}

QColor attentionColor(ColorScheme scheme) {
    return qColor(byScheme(scheme, Tint::darkGold, Tint::blue));
}

} // namespace zn
