#pragma once

#include "Platform/qt/Clock.h"
#include "Views/Onboarding/OnboardingPage.h"
#include "Views/Onboarding/OnboardingServices.h"

#include <QWidget>

#include <functional>

namespace zn {

class OnboardingBackdrop;
class OnboardingBottomBar;
class PageStage;

// The first-run flow the main window shows until onboarding is complete: welcome, what the program does,
// Full Disk Access, ready. Each visit to a page builds it anew. While the access page is shown, access is
// probed once a second and, once granted, the flow moves on by itself. "Skip" on the first page and "Start"
// on the last call `complete`.
class OnboardingView : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize kSize{680, 560};
    static constexpr std::chrono::milliseconds kPollInterval{1000};
    static constexpr std::chrono::milliseconds kAutoAdvanceDelay{800};

    OnboardingView(OnboardingServices services, std::function<void()> complete, QWidget* parent = nullptr);

    OnboardingPage page() const { return page_; }
    bool hasFullDiskAccess() const { return hasFda_; }
    bool hasOpenedSettings() const { return hasOpenedSettings_; }
    bool isAutoAdvanceScheduled() const { return autoAdvanceScheduled_; }
    // The scene of the current page.
    QWidget* scene() const;
    OnboardingBottomBar& bottomBar() const { return *bottomBar_; }
    const OnboardingBackdrop& backdrop() const { return *backdrop_; }

    // Moves `by` pages, held to the first and last page; nothing happens when that is the current page.
    void advance(int by);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* makeScene();
    void refreshFda();
    void openSettings();
    void updatePoll();
    void tick();

    OnboardingServices services_;
    std::function<void()> complete_;
    OnboardingPage page_ = OnboardingPage::welcome;
    bool appeared_ = false;
    bool hasFda_ = false;
    bool hasOpenedSettings_ = false;
    bool autoAdvanceScheduled_ = false;
    ScheduledCall nextTick_;
    OnboardingBackdrop* backdrop_;
    PageStage* stage_;
    OnboardingBottomBar* bottomBar_;
};

} // namespace zn
