#include "Views/Kit/Feedback/LinearProgressBar.h"
#include "Views/Kit/Labels/NumericTextLabel.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Motion/RepeatingAnimation.h"
#include "Views/Kit/Motion/ScaleAbout.h"
#include "Views/Kit/Motion/ScaleFade.h"
#include "Views/Kit/Surfaces/CardSurface.h"
#include "Views/Kit/Surfaces/HairlineSplitter.h"
#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/Screenshots.h"

#include <QImage>
#include <QPainter>
#include <QVBoxLayout>

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
    LinearProgressBar bar{QColor(Qt::blue)};
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

TEST(CardSurfaceTest, AFlatCardCastsNoShadowAndNoElevationChangesItsSize) {
    // Drawn with room around it: only the surface may be inked.
    const QRectF shape(20, 20, 160, 60);
    const auto outside = [&](CardElevation elevation) {
        QImage image(200, 110, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        CardSurface::paint(painter, shape, ColorScheme::dark, std::nullopt, elevation);
        painter.end();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += !shape.adjusted(-1, -1, 1, 1).contains(QPointF(x + 0.5, y + 0.5)) &&
                         qAlpha(image.pixel(x, y)) > 0;
        return inked;
    };
    EXPECT_EQ(outside(CardElevation::flat), 0);
    EXPECT_GT(outside(CardElevation::raised), 0);

    // The same content gives the same card, whatever its elevation, in a layout that leaves room around it.
    std::vector<QSize> surfaces;
    std::vector<QSize> layouts;
    for (const CardElevation elevation :
         {CardElevation::flat, CardElevation::standard, CardElevation::raised}) {
        QWidget column;
        auto* rows = new QVBoxLayout(&column);
        rows->setContentsMargins(20, 20, 20, 20);
        auto* card = new CardSurface(16, std::nullopt, elevation);
        auto* content = new QWidget;
        content->setFixedSize(120, 40);
        card->contentLayout()->addWidget(content);
        rows->addWidget(card);
        column.show();
        column.adjustSize();
        surfaces.push_back(card->surfaceRect().toRect().size());
        layouts.push_back(column.size());
    }
    EXPECT_EQ(surfaces[0], QSize(152, 72));
    EXPECT_EQ(surfaces[1], surfaces[0]);
    EXPECT_EQ(surfaces[2], surfaces[0]);
    EXPECT_EQ(layouts[1], layouts[0]);
    EXPECT_EQ(layouts[2], layouts[0]);
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

// The columns between the first and the last one inked by the label's text.
int inkedWidth(TextLabel& label) {
    label.resize(label.sizeHint());
    const QImage image = label.grab().toImage();
    int first = image.width();
    int last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 160) {
                first = std::min(first, x);
                last = x;
                break;
            }
    return last - first + 1;
}

TEST(TextStylesTest, HalfPointSizesAreDrawnAsNamed) {
    // The font engine rounds 11.5 up to 12: measuring and drawing keep the half point.
    const QString text = QStringLiteral("Drag into Settings");
    const QFont half = systemFont(11.5, QFont::DemiBold);
    EXPECT_DOUBLE_EQ(fontSize(half), 11.5);
    const double width = TextMetrics(half).horizontalAdvance(text);
    EXPECT_GT(width, TextMetrics(systemFont(11, QFont::DemiBold)).horizontalAdvance(text) + 1);
    EXPECT_LT(width, TextMetrics(systemFont(12, QFont::DemiBold)).horizontalAdvance(text) - 1);

    TextLabel smaller(text, systemFont(11, QFont::DemiBold), PlatformColor::primaryLabel);
    TextLabel named(text, half, PlatformColor::primaryLabel);
    TextLabel larger(text, systemFont(12, QFont::DemiBold), PlatformColor::primaryLabel);
    EXPECT_GT(inkedWidth(named), inkedWidth(smaller) + 1);
    EXPECT_LT(inkedWidth(named), inkedWidth(larger) - 1);
    EXPECT_LT(named.sizeHint().height(), larger.sizeHint().height() + 1);
}

TEST(ScaleFadeTest, ComesGrowingAndGoesShrinkingThenHides) {
    QWidget window;
    window.resize(200, 60);
    auto* item = new QWidget(&window);
    item->setGeometry(50, 20, 100, 20);
    item->setAutoFillBackground(true);
    QPalette black = item->palette();
    black.setColor(QPalette::Window, Qt::black);
    item->setPalette(black);
    auto* transition = new ScaleFade(*item, std::chrono::milliseconds(400));
    window.show();
    transition->setPresent(false, true);
    EXPECT_TRUE(item->isHidden()); // motion off: at once

    MotionOn motion;
    transition->setPresent(true, true);
    EXPECT_FALSE(item->isHidden());
    EXPECT_EQ(transition->amount(), 0.0);
    ASSERT_TRUE(test::waitUntil([&] { return transition->amount() > 0.3 && transition->amount() < 0.7; }));
    // Midway the item is smaller about its centre and paler.
    const double amount = transition->amount();
    const QImage midway = window.grab().toImage();
    int darkest = 255;
    int inked = 0;
    for (int x = 0; x < midway.width(); ++x) {
        const int grey = qGray(midway.pixel(x, 30));
        darkest = std::min(darkest, grey);
        inked += grey < 200;
    }
    EXPECT_NEAR(inked, 100 * amount, 3);
    EXPECT_GT(darkest, 40);
    ASSERT_TRUE(test::waitUntil([&] { return transition->amount() == 1.0; }));
    EXPECT_EQ(item->graphicsEffect(), nullptr);

    transition->setPresent(false, true);
    EXPECT_FALSE(item->isHidden()); // it stays while it goes
    ASSERT_TRUE(test::waitUntil([&] { return item->isHidden(); }));
    EXPECT_EQ(transition->amount(), 0.0);
}

TEST(NumericTextLabelTest, TakesNewFiguresAndShrinksOnlyAsFarAsAllowed) {
    NumericTextLabel label(systemFont(40), PlatformColor::primaryLabel);
    label.setText(QStringLiteral("1.23 GB"));
    EXPECT_EQ(label.text(), "1.23 GB");
    const QFont font = systemFont(40);
    EXPECT_DOUBLE_EQ(fontSize(fontFitting(font, label.text(), 1000, 0.8)), 40);
    EXPECT_DOUBLE_EQ(fontSize(fontFitting(font, label.text(), 1, 0.8)), 32);
    label.setMinimumScaleFactor(0.5);
    EXPECT_EQ(label.minimumSizeHint().width(), (label.sizeHint().width() + 1) / 2);
}

} // namespace
} // namespace zn
