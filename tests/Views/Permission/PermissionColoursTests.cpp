#include "Views/Kit/Motion/BreathingValue.h"
#include "Views/Permission/FallbackActionButton.h"
#include "Views/Permission/PermissionStepStrip.h"
#include "Views/Permission/WaitingDot.h"
#include "appsupport/Screenshots.h"

#include <QImage>
#include <gtest/gtest.h>

namespace zn {
namespace {

enum class Hue { green, blue, gold };

// The pixels of the widget's picture that are clearly of one hue (not grey, not another hue).
int pixelsOf(QWidget& widget, ColorScheme scheme, Hue hue) {
    test::useScheme(widget, scheme);
    const QImage image = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int r = pixel.red();
            const int g = pixel.green();
            const int b = pixel.blue();
            switch (hue) {
            case Hue::green:
                count += g > r + 40 && g > b + 30;
                break;
            case Hue::blue:
                count += b > r + 60 && b > g + 30;
                break;
            case Hue::gold:
                count += r > b + 60 && g > b + 40;
                break;
            }
        }
    return count;
}

// Green in the dark scheme and blue in the light one, or gold and blue, and never the other scheme's hue.
void expectHues(QWidget& widget, Hue dark, Hue light, int atLeast) {
    EXPECT_GE(pixelsOf(widget, ColorScheme::dark, dark), atLeast);
    EXPECT_EQ(pixelsOf(widget, ColorScheme::dark, light), 0);
    EXPECT_GE(pixelsOf(widget, ColorScheme::light, light), atLeast);
    EXPECT_EQ(pixelsOf(widget, ColorScheme::light, dark), 0);
}

TEST(PermissionColours, BadgesAndTheWaitingDotTakeTheAccentAndFallbackTilesGoldOrBlue) {
    PermissionStepStrip steps;
    steps.resize(480, steps.heightForWidth(480));
    expectHues(steps, Hue::green, Hue::blue, 3 * 100);

    BreathingValue pulse;
    WaitingDot dot(pulse);
    expectHues(dot, Hue::green, Hue::blue, 10);

    FallbackActionButton fallback("folder.badge.gearshape", QStringLiteral("Show app"),
                                  QStringLiteral("Drag it into the list"));
    fallback.resize(fallback.sizeHint());
    expectHues(fallback, Hue::gold, Hue::blue, 30);
}

} // namespace
} // namespace zn
