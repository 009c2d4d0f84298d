#pragma once

#include "Views/Kit/Feedback/ConfettiBurst.h"

#include <functional>
#include <memory>

namespace zn {

class Clock;
class UserDefaults;

// What the first-run flow works through: the Full Disk Access services, the clock for its poll and delays,
// the defaults store for the welcome confetti's flag, the confetti's randomness, and the feedback the
// desktop may play.
struct OnboardingServices {
    // The access probe; synchronous, on the main thread.
    std::function<bool()> hasFullDiskAccess;
    // Reads protected locations so the system lists the program.
    std::function<void()> triggerRegistration;
    // Opens the Full Disk Access pane of the system's settings.
    std::function<void()> openAccessSettings;
    std::function<void()> revealAppInFinder;
    // Resets the program's entry in the access list; the outcome is not used.
    std::function<void()> resetFullDiskAccess;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<UserDefaults> defaults;
    RandomSource confettiRandom;
    std::function<void()> playAlignmentFeedback;
    std::function<void()> playLevelChangeFeedback;
};

} // namespace zn
