#include "Views/Kit/Controls/SwitchToggle.h"

#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace zn {
namespace {

// The knob's side of the switch, read from the pixels: the white knob sits at one end of the track.
bool knobAtTrailingEnd(SwitchToggle& toggle) {
    const QImage image = toggle.grab().toImage();
    const QColor leading = image.pixelColor(image.width() / 4, image.height() / 2);
    const QColor trailing = image.pixelColor(3 * image.width() / 4, image.height() / 2);
    return trailing.lightness() > leading.lightness();
}

TEST(SwitchToggle, ClicksToggleOnceAndChangesInCodeMoveTheKnobEvenWithSignalsBlocked) {
    SwitchToggle toggle;
    toggle.show();
    QSignalSpy toggled(&toggle, &SwitchToggle::toggled);
    EXPECT_FALSE(knobAtTrailingEnd(toggle));
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_EQ(toggled.count(), 1);
    EXPECT_TRUE(knobAtTrailingEnd(toggle));
    {
        const QSignalBlocker block(toggle);
        toggle.setChecked(false);
    }
    EXPECT_EQ(toggled.count(), 1);
    EXPECT_FALSE(knobAtTrailingEnd(toggle));
}

} // namespace
} // namespace zn
