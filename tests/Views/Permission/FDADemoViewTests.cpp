#include "Views/Kit/Surfaces/AppBackdrop.h"
#include "Views/Permission/FDADemoView.h"
#include "appsupport/FakeClock.h"
#include "appsupport/Screenshots.h"

#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace zn {
namespace {

using namespace std::chrono_literals;
using Frame = FDADemoView::Frame;
using Step = std::pair<std::chrono::milliseconds::rep, Frame>;

// The demonstration on a fake clock, with every change of its frame and the virtual time it happened at.
// It sits on a window background the size of the onboarding's permission page.
struct Demo {
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    AppBackdrop window;
    FDADemoView& view = *new FDADemoView(clock);
    Date start = clock->now();
    std::vector<Step> steps;

    Demo() {
        auto* column = new QVBoxLayout(&window);
        column->setContentsMargins(40, 28, 40, 28);
        column->addWidget(&view);
        window.resize(460, 290);
        QObject::connect(&view, &FDADemoView::frameChanged, [this](Frame frame) {
            steps.emplace_back(std::chrono::duration_cast<std::chrono::milliseconds>(clock->now() - start).count(),
                               frame);
        });
    }
};

TEST(FDADemoView, FramesFromRawValues) {
    EXPECT_EQ(FDADemoView::frameFromRawValue(0), Frame::idle);
    EXPECT_EQ(FDADemoView::frameFromRawValue(2), Frame::toggleOn);
    EXPECT_EQ(FDADemoView::frameFromRawValue(4), Frame::hold);
    EXPECT_EQ(FDADemoView::frameFromRawValue(5), std::nullopt);
    EXPECT_EQ(FDADemoView::frameFromRawValue(-1), std::nullopt);
}

TEST(FDADemoView, LoopsThroughItsFramesWhileShown) {
    Demo demo;
    EXPECT_EQ(demo.clock->pendingCalls(), 0u) << "nothing runs before the view is on screen";
    demo.window.show();
    EXPECT_TRUE(demo.view.isActive());
    EXPECT_EQ(demo.view.frame(), Frame::idle);
    demo.clock->advance(599ms);
    EXPECT_EQ(demo.view.frame(), Frame::idle);
    demo.clock->advance(9400ms - 599ms);
    const std::vector<Step> expected{
        {600, Frame::highlight},  {1500, Frame::toggleOn}, {2300, Frame::granted}, {2700, Frame::hold},
        {4700, Frame::idle},      {5300, Frame::highlight}, {6200, Frame::toggleOn}, {7000, Frame::granted},
        {7400, Frame::hold},      {9400, Frame::idle},
    };
    EXPECT_EQ(demo.steps, expected);
    // One loop at a time: the four steps and the restart still to come.
    EXPECT_EQ(demo.clock->pendingCalls(), 5u);
}

TEST(FDADemoView, HidingStopsTheLoopAndShowingAgainStartsOneNewLoop) {
    Demo demo;
    demo.window.show();
    demo.clock->advance(2000ms);
    demo.view.hide();
    EXPECT_FALSE(demo.view.isActive());
    EXPECT_EQ(demo.view.frame(), Frame::toggleOn);
    EXPECT_EQ(demo.clock->pendingCalls(), 0u);
    demo.clock->advance(10s);
    EXPECT_EQ(demo.view.frame(), Frame::toggleOn);

    // Back on screen within one loop of the last start: from idle at once, on the new loop's times only.
    demo.view.show();
    demo.steps.clear();
    demo.start = demo.clock->now();
    EXPECT_EQ(demo.view.frame(), Frame::idle);
    demo.view.hide();
    demo.view.show();
    demo.clock->advance(1500ms);
    EXPECT_EQ(demo.steps, (std::vector<Step>{{600, Frame::highlight}, {1500, Frame::toggleOn}}));
    EXPECT_EQ(demo.clock->pendingCalls(), 3u);
}

TEST(FDADemoView, ThreePointsOfTheTimeline) {
    const std::vector<std::pair<std::chrono::milliseconds, const char*>> points{
        {0ms, "idle"}, {600ms, "highlight"}, {2300ms, "granted"}};
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        Demo demo;
        test::useScheme(demo.window, scheme);
        demo.window.show();
        std::chrono::milliseconds elapsed{0};
        for (const auto& [at, name] : points) {
            demo.clock->advance(at - elapsed);
            elapsed = at;
            test::saveScreenshot(demo.window, QStringLiteral("fda-demo-%1-%2").arg(name, test::schemeName(scheme)));
        }
        EXPECT_EQ(demo.view.frame(), Frame::granted);
    }
}

} // namespace
} // namespace zn
