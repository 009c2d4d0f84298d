#include "App/AppDelegate.h"
#include "Platform/qt/UserDefaults.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/LinkButton.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Onboarding/MissionScene.h"
#include "Views/Onboarding/OnboardingBackdrop.h"
#include "Views/Onboarding/OnboardingBottomBar.h"
#include "Views/Onboarding/OnboardingView.h"
#include "Views/Onboarding/PageDots.h"
#include "Views/Onboarding/PermissionScene.h"
#include "Views/Onboarding/ReadyBadge.h"
#include "Views/Onboarding/ReadyScene.h"
#include "Views/Onboarding/WelcomeIcon.h"
#include "Views/Onboarding/WelcomeScene.h"
#include "Views/Permission/AppBundleDragHandle.h"
#include "Views/Permission/FDADemoView.h"
#include "appsupport/FakeClock.h"
#include "appsupport/FixedRandom.h"
#include "appsupport/Screenshots.h"
#include "support/FixtureTree.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace zn {
namespace {

using namespace std::chrono_literals;

// An onboarding on fake services that count what they are asked to do.
struct OnboardingFixture {
    test::FixtureTree tree;
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<UserDefaults> defaults =
        std::make_shared<UserDefaults>(QString::fromStdString(tree.path("defaults.ini")));
    bool access = false;
    int probes = 0, registrations = 0, settingsOpened = 0, reveals = 0, resets = 0;
    int alignmentFeedback = 0, levelChangeFeedback = 0, completions = 0;

    OnboardingServices services() {
        return {[this] {
                    ++probes;
                    return access;
                },
                [this] { ++registrations; },
                [this] { ++settingsOpened; },
                [this] { ++reveals; },
                [this] { ++resets; },
                clock,
                defaults,
                test::fixedRandom(),
                [this] { ++alignmentFeedback; },
                [this] { ++levelChangeFeedback; }};
    }
    std::unique_ptr<OnboardingView> makeView() {
        auto view = std::make_unique<OnboardingView>(services(), [this] { ++completions; });
        view->show();
        return view;
    }
};

template <typename Scene> Scene* sceneOf(const OnboardingView& view) {
    return qobject_cast<Scene*>(view.scene());
}

void clickRight(OnboardingView& view) {
    view.bottomBar().rightButton().click();
}

void clickLeft(OnboardingView& view) {
    view.bottomBar().leftButton().click();
}

TEST(OnboardingView, FourPagesInOrderEachBuiltAfreshWithItsButtonsDotsAndColour) {
    OnboardingFixture fixture;
    auto view = fixture.makeView();
    EXPECT_EQ(view->size(), QSize(680, 560));
    OnboardingBottomBar& bar = view->bottomBar();
    const auto expectPage = [&](OnboardingPage page, const char* left, const char* right) {
        EXPECT_EQ(view->page(), page);
        EXPECT_EQ(bar.leftButton().text(), left);
        EXPECT_EQ(bar.rightButton().text(), right);
        for (const OnboardingPage each : kOnboardingPages)
            EXPECT_EQ(bar.dots().emphasis(each), each == page ? 1 : 0);
        EXPECT_EQ(view->backdrop().glowColor(), pageTint(page, ColorScheme::light));
    };
    expectPage(OnboardingPage::welcome, "Skip", "Next");
    ASSERT_NE(sceneOf<WelcomeScene>(*view), nullptr);

    // Held to the first page: no move and no feedback.
    view->advance(-1);
    EXPECT_EQ(fixture.alignmentFeedback, 0);
    clickRight(*view);
    expectPage(OnboardingPage::mission, "Back", "Next");
    QPointer<QWidget> firstMission = view->scene();
    ASSERT_NE(sceneOf<MissionScene>(*view), nullptr);
    clickLeft(*view);
    expectPage(OnboardingPage::welcome, "Skip", "Next");
    clickRight(*view);
    EXPECT_NE(view->scene(), firstMission.data());
    clickRight(*view);
    expectPage(OnboardingPage::permission, "Back", "Continue");
    ASSERT_NE(sceneOf<PermissionScene>(*view), nullptr);
    clickRight(*view); // "Continue" moves on without access
    expectPage(OnboardingPage::ready, "Back", "Start");
    ASSERT_NE(sceneOf<ReadyScene>(*view), nullptr);
    view->advance(7);
    EXPECT_EQ(view->page(), OnboardingPage::ready);
    view->advance(-9);
    EXPECT_EQ(view->page(), OnboardingPage::welcome);
    EXPECT_EQ(fixture.alignmentFeedback, 6);
    EXPECT_EQ(offsetPage(OnboardingPage::mission, -5), OnboardingPage::welcome);
    EXPECT_EQ(fixture.completions, 0);
}

TEST(OnboardingView, SkipOnTheFirstPageAndStartOnTheLastCompleteIt) {
    OnboardingFixture fixture;
    auto skipping = fixture.makeView();
    clickLeft(*skipping);
    EXPECT_EQ(fixture.completions, 1);

    auto starting = fixture.makeView();
    starting->advance(3);
    clickRight(*starting);
    EXPECT_EQ(fixture.completions, 2);
}

TEST(OnboardingView, AppearingRegistersTheProgramProbesOnceAndFadesTheWelcomeTextsIn) {
    OnboardingFixture fixture;
    OnboardingView view(fixture.services(), [] {});
    EXPECT_EQ(fixture.probes, 0);
    EXPECT_EQ(sceneOf<WelcomeScene>(view)->appearance(), 0);
    view.show();
    EXPECT_EQ(fixture.registrations, 1);
    EXPECT_EQ(fixture.probes, 1);
    EXPECT_EQ(sceneOf<WelcomeScene>(view)->appearance(), 1);
    EXPECT_TRUE(sceneOf<WelcomeScene>(view)->icon().showsIcon());
    view.hide();
    view.show();
    EXPECT_EQ(fixture.registrations, 1);
    EXPECT_EQ(fixture.probes, 1);

    // Without an icon the page shows a symbol that does not bob.
    WelcomeIcon noIcon{QIcon()};
    noIcon.show();
    EXPECT_FALSE(noIcon.showsIcon());
    EXPECT_EQ(noIcon.offset(), 0);
}

TEST(OnboardingView, AccessIsPolledOnceASecondOnlyWhileThePermissionPageIsShown) {
    OnboardingFixture fixture;
    auto view = fixture.makeView();
    fixture.clock->advance(5s);
    EXPECT_EQ(fixture.probes, 1); // the probe on appearing only
    view->advance(2);
    fixture.clock->advance(999ms);
    EXPECT_EQ(fixture.probes, 1);
    fixture.clock->advance(1ms);
    EXPECT_EQ(fixture.probes, 2);
    fixture.clock->advance(3s);
    EXPECT_EQ(fixture.probes, 5);
    EXPECT_FALSE(view->isAutoAdvanceScheduled());
    EXPECT_EQ(view->page(), OnboardingPage::permission);

    view->advance(1);
    fixture.clock->advance(5s);
    EXPECT_EQ(fixture.probes, 5);
    view->advance(-1);
    view->hide();
    fixture.clock->advance(5s);
    EXPECT_EQ(fixture.probes, 5);
    view->show();
    fixture.clock->advance(1s);
    EXPECT_EQ(fixture.probes, 6);
}

TEST(OnboardingView, GrantedAccessMovesOnOnceAndOnlyIfThePermissionPageIsStillShown) {
    OnboardingFixture fixture;
    fixture.access = true;
    auto view = fixture.makeView();
    // Known on the first page already, with the level-change feedback.
    EXPECT_TRUE(view->hasFullDiskAccess());
    EXPECT_EQ(fixture.levelChangeFeedback, 1);

    view->advance(2);
    auto* permission = sceneOf<PermissionScene>(*view);
    ASSERT_NE(permission, nullptr);
    EXPECT_EQ(permission->title().text(), "Access allowed");
    EXPECT_FALSE(permission->grantedLine().isHidden());
    EXPECT_TRUE(permission->guidance().isHidden());
    fixture.clock->advance(1s);
    EXPECT_TRUE(view->isAutoAdvanceScheduled());
    fixture.clock->advance(799ms);
    EXPECT_EQ(view->page(), OnboardingPage::permission);
    fixture.clock->advance(1ms);
    EXPECT_EQ(view->page(), OnboardingPage::ready);
    EXPECT_FALSE(view->isAutoAdvanceScheduled());
    EXPECT_EQ(fixture.alignmentFeedback, 2);
    EXPECT_EQ(fixture.levelChangeFeedback, 1);

    // Back on the page with access: the next tick schedules the move again; leaving first keeps it from
    // being taken.
    view->advance(-1);
    fixture.clock->advance(1s);
    ASSERT_TRUE(view->isAutoAdvanceScheduled());
    clickLeft(*view);
    fixture.clock->advance(800ms);
    EXPECT_EQ(view->page(), OnboardingPage::mission);
    EXPECT_FALSE(view->isAutoAdvanceScheduled());

    // "Continue" while the move is pending: ready at once, and the move does not happen again.
    view->advance(1);
    fixture.clock->advance(1s);
    ASSERT_TRUE(view->isAutoAdvanceScheduled());
    clickRight(*view);
    EXPECT_EQ(view->page(), OnboardingPage::ready);
    const int moves = fixture.alignmentFeedback;
    fixture.clock->advance(800ms);
    EXPECT_EQ(fixture.alignmentFeedback, moves);
    EXPECT_FALSE(view->isAutoAdvanceScheduled());
}

TEST(OnboardingView, AccessWithdrawnOnThePermissionPageShowsTheGuidanceAgainWithoutFeedback) {
    OnboardingFixture fixture;
    fixture.access = true;
    auto view = fixture.makeView();
    view->advance(2);
    fixture.access = false;
    fixture.clock->advance(1s);
    EXPECT_FALSE(view->hasFullDiskAccess());
    EXPECT_FALSE(view->isAutoAdvanceScheduled());
    EXPECT_EQ(fixture.levelChangeFeedback, 1);
    auto* permission = sceneOf<PermissionScene>(*view);
    EXPECT_EQ(permission->title().text(), "One permission, then you're set");
    EXPECT_TRUE(permission->grantedLine().isHidden());
    EXPECT_FALSE(permission->guidance().isHidden());
    fixture.clock->advance(5s);
    EXPECT_EQ(view->page(), OnboardingPage::permission);
}

TEST(OnboardingView, TheSettingsButtonOpensThePaneEachTimeAndThenOffersTheFallbacks) {
    OnboardingFixture fixture;
    auto view = fixture.makeView();
    view->advance(2);
    auto* permission = sceneOf<PermissionScene>(*view);
    // The demonstration plays on the page's clock, beside the tile to drag into the list.
    EXPECT_TRUE(permission->demonstration().isVisible());
    EXPECT_TRUE(permission->dragHandle().isVisible());
    EXPECT_EQ(permission->demonstration().frame(), FDADemoView::Frame::idle);
    fixture.clock->advance(600ms);
    EXPECT_EQ(permission->demonstration().frame(), FDADemoView::Frame::highlight);
    EXPECT_EQ(permission->settingsButton().text(), "Open access settings");
    EXPECT_EQ(permission->settingsButton().leadingSymbol(), "gear");
    EXPECT_GE(permission->settingsButton().width(), 240);
    EXPECT_FALSE(permission->tip().isHidden());
    EXPECT_TRUE(permission->links().isHidden());

    QApplication::setActiveWindow(view.get());
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(fixture.settingsOpened, 1);
    EXPECT_TRUE(view->hasOpenedSettings());
    EXPECT_EQ(permission->settingsButton().text(), "Reopen Settings");
    EXPECT_TRUE(permission->tip().isHidden());
    EXPECT_FALSE(permission->links().isHidden());
    permission->settingsButton().click();
    EXPECT_EQ(fixture.settingsOpened, 2);
    permission->revealLink().click();
    EXPECT_EQ(fixture.reveals, 1);
    permission->resetLink().click();
    EXPECT_EQ(fixture.resets, 1);
    EXPECT_EQ(fixture.registrations, 2);

    // The next visit remembers that the pane was opened.
    view->advance(-1);
    view->advance(1);
    EXPECT_EQ(sceneOf<PermissionScene>(*view)->settingsButton().text(), "Reopen Settings");
}

TEST(OnboardingView, TheWelcomeConfettiPlaysOnceForANewUserOnTheReadyPage) {
    OnboardingFixture fixture;
    auto view = fixture.makeView();
    view->advance(3);
    auto* ready = sceneOf<ReadyScene>(*view);
    ASSERT_TRUE(ready->carriesConfetti());
    EXPECT_EQ(ready->badge().scale(), ReadyBadge::kPoppedScale);
    fixture.clock->advance(349ms);
    EXPECT_FALSE(ready->hasFiredConfetti());
    EXPECT_EQ(ready->confetti()->burstCount(), 0u);
    fixture.clock->advance(1ms);
    EXPECT_TRUE(ready->hasFiredConfetti());
    EXPECT_TRUE(fixture.defaults->boolForKey(ReadyScene::kHasSeenConfettiKey));
    EXPECT_EQ(fixture.levelChangeFeedback, 1);
    // The page that set the flag still carries the burst it fired, over everything and letting clicks
    // through.
    ASSERT_TRUE(ready->carriesConfetti());
    EXPECT_EQ(ready->confetti()->burstCount(), 1u);
    EXPECT_TRUE(ready->confetti()->isVisible());
    EXPECT_EQ(ready->confetti()->geometry(), ready->rect());
    EXPECT_TRUE(ready->confetti()->testAttribute(Qt::WA_TransparentForMouseEvents));
    fixture.clock->advance(1s);
    EXPECT_GT(ready->confetti()->piecesNow().size(), 50u);
    fixture.clock->advance(4s);
    EXPECT_EQ(ready->confetti()->burstCount(), 0u);

    // Coming back: no confetti and no feedback; the badge still pops.
    view->advance(-1);
    view->advance(1);
    ready = sceneOf<ReadyScene>(*view);
    EXPECT_FALSE(ready->carriesConfetti());
    EXPECT_EQ(ready->confetti(), nullptr);
    fixture.clock->advance(1s);
    EXPECT_FALSE(ready->hasFiredConfetti());
    EXPECT_EQ(fixture.levelChangeFeedback, 1);
    EXPECT_EQ(ready->badge().scale(), ReadyBadge::kPoppedScale);
}

TEST(OnboardingView, LeavingTheReadyPageWithinTheDelayKeepsTheConfettiForTheNextVisit) {
    OnboardingFixture fixture;
    auto view = fixture.makeView();
    view->advance(3);
    fixture.clock->advance(200ms);
    clickLeft(*view);
    fixture.clock->advance(1s);
    EXPECT_FALSE(fixture.defaults->boolForKey(ReadyScene::kHasSeenConfettiKey));
    EXPECT_EQ(fixture.levelChangeFeedback, 0);
    view->advance(1);
    fixture.clock->advance(350ms);
    EXPECT_TRUE(sceneOf<ReadyScene>(*view)->hasFiredConfetti());
    EXPECT_EQ(sceneOf<ReadyScene>(*view)->confetti()->burstCount(), 1u);
    EXPECT_TRUE(fixture.defaults->boolForKey(ReadyScene::kHasSeenConfettiKey));
}

TEST(OnboardingView, TheReadyPageWithoutAccessWavesInTheAttentionColour) {
    OnboardingFixture fixture;
    auto view = fixture.makeView();
    view->advance(3);
    auto* ready = sceneOf<ReadyScene>(*view);
    EXPECT_EQ(ready->title().text(), "Ready when you are");
    EXPECT_EQ(ready->subtitle().text(),
              "You can start now. Some cleanup areas will stay hidden until you allow access.");
    EXPECT_STREQ(ready->badge().symbol(), "hand.wave.fill");
    EXPECT_EQ(ready->badge().badgeColor(), qColor(Tint::blue));
    test::useScheme(*view, ColorScheme::dark);
    EXPECT_EQ(ready->badge().badgeColor(), qColor(Tint::darkGold));
    fixture.access = true;
    view->advance(-1);
    view->advance(1);
    ready = sceneOf<ReadyScene>(*view);
    fixture.clock->advance(1s);
    EXPECT_EQ(ready->title().text(), "Ready when you are"); // the poll runs on the permission page only
    ready->setHasFda(true);
    EXPECT_EQ(ready->title().text(), "You're ready");
    EXPECT_STREQ(ready->badge().symbol(), "checkmark");
    EXPECT_EQ(ready->badge().badgeColor(), qColor(Tint::green));
}

TEST(OnboardingView, Screenshots) {
    // As the program starts: its icon is the application's, which the drag tile shows.
    AppDelegate::applyApplicationIcon();
    const char* names[] = {"welcome", "mission", "permission", "ready"};
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        OnboardingFixture fixture;
        auto view = fixture.makeView();
        test::useScheme(*view, scheme);
        for (const OnboardingPage page : kOnboardingPages) {
            view->advance(static_cast<int>(page) - static_cast<int>(view->page()));
            // The ready page with its confetti in mid-fall.
            if (page == OnboardingPage::ready) {
                fixture.clock->advance(ReadyScene::kConfettiDelay + 1100ms);
                ASSERT_GT(sceneOf<ReadyScene>(*view)->confetti()->piecesNow().size(), 50u);
            }
            test::saveScreenshot(*view, QStringLiteral("onboarding-%1-%2")
                                            .arg(names[static_cast<int>(page)], test::schemeName(scheme)));
        }
    }
}

} // namespace
} // namespace zn
