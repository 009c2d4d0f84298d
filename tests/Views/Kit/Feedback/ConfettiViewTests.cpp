#include "Views/Kit/Feedback/ConfettiView.h"
#include "Views/Kit/Motion/Motion.h"
#include "appsupport/FakeClock.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>

namespace zn {
namespace {

using namespace std::chrono_literals;

RandomSource halfway() {
    return [] { return 0.5; };
}

class ConfettiViewTest : public ::testing::Test {
protected:
    ConfettiViewTest() {
        host.resize(600, 400);
        host.show();
        QObject::connect(confetti, &ConfettiView::burstStarted, [this] { ++bursts; });
    }

    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    QWidget host;
    ConfettiView* confetti = new ConfettiView({clock, halfway()}, &host);
    int bursts = 0;
};

TEST_F(ConfettiViewTest, BurstsOnlyWhenTheTriggerRises) {
    EXPECT_TRUE(confetti->isHidden());
    for (const bool trigger : {false, true, true, false, true})
        confetti->setTrigger(trigger);
    EXPECT_EQ(bursts, 2);
    EXPECT_EQ(confetti->burstCount(), 2u);
    EXPECT_TRUE(confetti->trigger());

    // True at the very first update fires at once.
    ConfettiView fresh({clock, halfway()}, &host);
    int freshBursts = 0;
    QObject::connect(&fresh, &ConfettiView::burstStarted, [&] { ++freshBursts; });
    fresh.setTrigger(true);
    EXPECT_EQ(freshBursts, 1);
}

TEST_F(ConfettiViewTest, EachBurstStopsAndLeavesOnItsOwnSchedule) {
    EXPECT_EQ(confetti->geometry(), host.rect());
    confetti->setTrigger(true);
    confetti->setTrigger(false);
    clock->advance(500ms);
    confetti->setTrigger(true); // a second burst while the first flies
    ASSERT_EQ(confetti->burstCount(), 2u);
    EXPECT_TRUE(confetti->burst(0).isEmitting());
    EXPECT_FALSE(confetti->piecesNow().empty());

    clock->advance(700ms); // 1.2 s after the first
    EXPECT_FALSE(confetti->burst(0).isEmitting());
    EXPECT_TRUE(confetti->burst(1).isEmitting());
    clock->advance(500ms); // 1.2 s after the second
    EXPECT_FALSE(confetti->burst(1).isEmitting());
    EXPECT_FALSE(confetti->isHidden());

    clock->advance(2300ms); // 4.0 s after the first
    ASSERT_EQ(confetti->burstCount(), 1u);
    clock->advance(500ms); // 4.0 s after the second
    EXPECT_EQ(confetti->burstCount(), 0u);
    EXPECT_TRUE(confetti->isHidden());
    EXPECT_TRUE(confetti->piecesNow().empty());
}

// The share of the picture's pixels that something was drawn on.
double coverage(const QImage& image) {
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return static_cast<double>(drawn) / (image.width() * image.height());
}

QImage drawn(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TEST_F(ConfettiViewTest, DrawsPiecesOnlyWhileABurstIsInFlight) {
    EXPECT_EQ(coverage(drawn(*confetti)), 0);
    confetti->setTrigger(true);
    clock->advance(1s);
    const double midBurst = coverage(drawn(*confetti));
    EXPECT_GT(midBurst, 0.0005);
    EXPECT_LT(midBurst, 0.05);
    clock->advance(3s);
    EXPECT_EQ(coverage(drawn(*confetti)), 0);
}

TEST_F(ConfettiViewTest, AnOverlayOffScreenDropsItsBurstAtTheStopStep) {
    confetti->setTrigger(true);
    host.hide();
    clock->advance(1200ms);
    EXPECT_EQ(confetti->burstCount(), 0u);
    EXPECT_TRUE(confetti->isHidden());
    EXPECT_EQ(clock->pendingCalls(), 0u);
}

TEST(ConfettiBurstTest, PiecesFallFromALineAboveTheTopAndFade) {
    // With every random draw in the middle, each piece takes the settings' own values.
    ConfettiBurst burst(QPointF(300, -10), 600, halfway());
    EXPECT_TRUE(burst.piecesAt(0).size() <= Confetti::kColors.size());
    const auto later = burst.piecesAt(1.0);
    // Six colours at 16 a second each during the first second.
    EXPECT_NEAR(static_cast<double>(later.size()), 6 * 16, 6);
    const ConfettiPiece& first = later.front();
    EXPECT_DOUBLE_EQ(first.position.x(), 300);
    // Down at 220 points a second, speeding up by 240 a second squared, from 10 points above the top.
    const double age = 1.0 - 0.5 / 16;
    EXPECT_NEAR(first.position.y(), -10 + 220 * age + 120 * age * age, 1e-6);
    EXPECT_NEAR(first.rotation, 4 * age, 1e-9);
    EXPECT_DOUBLE_EQ(first.scale, 0.35);
    EXPECT_NEAR(first.opacity, 1 - 0.35 * age, 1e-9);

    // No births after the stop; everything has faded out before three seconds after the last birth.
    burst.stopBirths(0.5);
    EXPECT_LE(burst.piecesAt(1.0).size(), 6u * 8);
    EXPECT_TRUE(burst.piecesAt(3.5).empty());
}

TEST(ConfettiBurstTest, ABurstOnAnEmptyViewStartsAtTheTopLeftCorner) {
    RandomSource random = [n = 0]() mutable { return (n++ % 7) / 7.0; };
    ConfettiBurst burst(QPointF(0, -10), 0, random);
    for (const ConfettiPiece& piece : burst.piecesAt(0.0))
        EXPECT_DOUBLE_EQ(piece.position.x(), 0);
}

TEST_F(ConfettiViewTest, DrawsFramesOnlyWhileABurstFlies) {
    // Motion is off in tests: a burst is drawn at the clock's time and no frame timer runs.
    confetti->setTrigger(true);
    EXPECT_FALSE(confetti->isAnimating());
    clock->advance(4s);

    Motion::setEnabled(true);
    confetti->setTrigger(false);
    EXPECT_FALSE(confetti->isAnimating());
    confetti->setTrigger(true);
    EXPECT_TRUE(confetti->isAnimating());
    clock->advance(4s);
    EXPECT_FALSE(confetti->isAnimating());
    EXPECT_TRUE(confetti->isHidden());
    Motion::setEnabled(false);
}

} // namespace
} // namespace zn
