#include "Views/Kit/Surfaces/PanelPainter.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"

namespace zn {

void paintPanel(QPainter& painter, const QRectF& shape, ColorScheme scheme, double cornerRadius) {
    fillRoundedRect(painter, shape, cornerRadius, platformColor(PlatformColor::controlBackground, scheme));
    strokeRoundedBorder(painter, shape, cornerRadius,
                        withOpacity(platformColor(PlatformColor::primaryLabel, scheme), byScheme(scheme, 0.12, 0.08)),
                        0.7);
}

} // namespace zn
