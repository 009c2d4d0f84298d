#include "Views/Components/LinkButton.h"
#include "Views/Components/SwitchToggle.h"
#include "Views/Components/TextStyles.h"

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

TEST(LinkButton, UnderlinedOnlyUnderThePointer) {
    LinkButton link(QStringLiteral("Contact"), textFont(TextStyle::body));
    link.show();
    EXPECT_FALSE(link.font().underline());
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&link, &enter);
    EXPECT_TRUE(link.font().underline());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&link, &leave);
    EXPECT_FALSE(link.font().underline());
}

} // namespace
} // namespace zn
