#include "Views/Kit/Theme/SchemeColors.h"

#include <QPalette>
#include <QWidget>

namespace zn {

QColor qColor(RgbColor color, double opacity) {
    return QColor::fromRgbF(static_cast<float>(color.red), static_cast<float>(color.green),
                            static_cast<float>(color.blue), static_cast<float>(opacity));
}

QColor withOpacity(QColor color, double opacity) {
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
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
