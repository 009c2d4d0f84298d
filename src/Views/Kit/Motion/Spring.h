#pragma once

#include <chrono>

namespace zn {

// A damped spring described as the platform describes its animations: `response` is the period of the
// undamped oscillation in seconds, `dampingFraction` 1 is critically damped, below 1 it overshoots.
struct Spring {
    double response = 0.5;
    double dampingFraction = 0.825;
};

// Where the spring stands `seconds` after it was released from 0 towards 1.
double springValue(const Spring& spring, double seconds);
// How long it takes until the spring stays within a thousandth of its target.
std::chrono::milliseconds settlingDuration(const Spring& spring);

} // namespace zn
