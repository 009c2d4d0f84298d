#include "Views/Kit/Feedback/LinearProgressBar.h"
#include "Views/Kit/Labels/NumericTextLabel.h"
#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Motion/RepeatingAnimation.h"
#include "Views/Kit/Motion/ScaleAbout.h"
#include "Views/Kit/Surfaces/CardSurface.h"
#include "Views/Kit/Surfaces/HairlineSplitter.h"
#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "appsupport/Screenshots.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace zn {
namespace {

// Motion is off in tests; these turn it on for a moment and always turn it off again.
struct MotionOn {
    MotionOn() { Motion::setEnabled(true); }
    ~MotionOn() { Motion::setEnabled(false); }
};

TEST(RepeatingAnimationTest, RunsOnlyWhileWantedShownAndMoving) {
    QWidget widget;
    auto* cycle = new RepeatingAnimation(widget, 1000);
    cycle->setWanted(true);
    EXPECT_FALSE(cycle->isRunning()); // motion off
    {
        MotionOn motion;
        cycle->setWanted(true);
        EXPECT_FALSE(cycle->isRunning()); // not on screen
        widget.show();
        EXPECT_TRUE(cycle->isRunning());
        widget.hide();
        EXPECT_FALSE(cycle->isRunning());
        EXPECT_EQ(cycle->phase(), 0);
        widget.show();
        cycle->setWanted(false);
        EXPECT_FALSE(cycle->isRunning());
    }
}

TEST(ScaleAboutTest, TheCentreStaysAndEverythingElseMovesByTheFactor) {
    QImage canvas(10, 10, QImage::Format_ARGB32);
    QPainter painter(&canvas);
    scaleAbout(painter, QPointF(40, 20), 0.5);
    EXPECT_EQ(painter.transform().map(QPointF(40, 20)), QPointF(40, 20));
    EXPECT_EQ(painter.transform().map(QPointF(60, 0)), QPointF(50, 10));
}

TEST(LinearProgressBarTest, SweepsOnlyWithoutAValue) {
    MotionOn motion;
    LinearProgressBar bar(QColor(Qt::blue));
    bar.show();
    bar.setValue(std::nullopt);
    EXPECT_EQ(bar.findChild<RepeatingAnimation*>()->isRunning(), true);
    bar.setValue(1.7);
    EXPECT_EQ(bar.value(), 1.0);
    EXPECT_FALSE(bar.findChild<RepeatingAnimation*>()->isRunning());
}

TEST(CardSurfaceTest, ItsPictureFollowsTheAccentAndTheScheme) {
    CardSurface card(16, QColor(Qt::red), CardElevation::flat);
    card.resize(200, 100);
    const auto edge = [&] {
        const QImage image = card.grab().toImage();
        return image.pixelColor(100, static_cast<int>(card.surfaceRect().top()));
    };
    const QColor red = edge();
    card.setAccent(QColor(Qt::blue));
    const QColor blue = edge();
    EXPECT_GT(red.red(), blue.red());
    EXPECT_GT(blue.blue(), red.blue());
    const QColor light = card.grab().toImage().pixelColor(100, 50);
    test::useScheme(card, ColorScheme::dark);
    EXPECT_LT(card.grab().toImage().pixelColor(100, 50).lightness(), light.lightness());
}

TEST(HairlineSplitterTest, TheDividerIsOneLineOfItsOwnColour) {
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        HairlineSplitter splitter;
        splitter.addWidget(new QWidget);
        splitter.addWidget(new QWidget);
        splitter.setAutoFillBackground(true);
        test::useScheme(splitter, scheme);
        splitter.resize(201, 40);
        splitter.setSizes({100, 100});
        const QImage image = splitter.grab().toImage();
        const QColor pane = image.pixelColor(5, 20);
        int lines = 0;
        for (int x = 0; x < image.width(); ++x)
            lines += image.pixelColor(x, 20) != pane;
        EXPECT_EQ(lines, 1) << test::schemeName(scheme).toStdString();
    }
}

TEST(NumericTextLabelTest, TakesNewFiguresAndShrinksOnlyAsFarAsAllowed) {
    NumericTextLabel label(systemFont(40), PlatformColor::primaryLabel);
    label.setText(QStringLiteral("1.23 GB"));
    EXPECT_EQ(label.text(), "1.23 GB");
    const QFont font = systemFont(40);
    EXPECT_EQ(fontFitting(font, label.text(), 1000, 0.8).pixelSize(), 40);
    EXPECT_EQ(fontFitting(font, label.text(), 1, 0.8).pixelSize(), 32);
    label.setMinimumScaleFactor(0.5);
    EXPECT_EQ(label.minimumSizeHint().width(), (label.sizeHint().width() + 1) / 2);
}

} // namespace
} // namespace zn
