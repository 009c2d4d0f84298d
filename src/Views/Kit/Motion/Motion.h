#pragma once

#include "Views/Kit/Motion/Spring.h"

#include <chrono>

namespace zn {

// How a value moves to a new target: an ease-out or ease-in-out curve of a duration, or a spring.
struct Timing {
    enum class Kind { easeOut, easeInOut, spring };

    Kind kind = Kind::easeOut;
    std::chrono::milliseconds duration{200};
    Spring spring;

    static Timing easeOut(std::chrono::milliseconds duration) { return {Kind::easeOut, duration, {}}; }
    static Timing easeInOut(std::chrono::milliseconds duration) { return {Kind::easeInOut, duration, {}}; }
    static Timing springy(double response, double dampingFraction) {
        const Spring spring{response, dampingFraction};
        return {Kind::spring, settlingDuration(spring), spring};
    }

    // The share of the way from start to target after `fraction` of the duration (a spring may overshoot).
    double progress(double fraction) const;
};

// One switch for every animation of the screens. Off, every value jumps to its target at once: tests and
// screenshots see the final frame.
class Motion {
public:
    static bool enabled();
    static void setEnabled(bool enabled);
};

} // namespace zn
