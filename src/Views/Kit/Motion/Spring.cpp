#include "Views/Kit/Motion/Spring.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zn {

namespace {
constexpr double kTolerance = 0.001;

double angularFrequency(const Spring& spring) {
    return 2 * std::numbers::pi / std::max(spring.response, 0.001);
}
} // namespace

double springValue(const Spring& spring, double seconds) {
    if (seconds <= 0)
        return 0;
    const double omega = angularFrequency(spring);
    const double zeta = std::max(spring.dampingFraction, 0.0);
    if (zeta >= 1) {
        // Critically (or over-) damped: no overshoot; treated as critical.
        return 1 - std::exp(-omega * seconds) * (1 + omega * seconds);
    }
    const double damped = omega * std::sqrt(1 - zeta * zeta);
    const double decay = std::exp(-zeta * omega * seconds);
    return 1 - decay * (std::cos(damped * seconds) + zeta * omega / damped * std::sin(damped * seconds));
}

std::chrono::milliseconds settlingDuration(const Spring& spring) {
    const double omega = angularFrequency(spring);
    const double zeta = std::clamp(spring.dampingFraction, 0.05, 1.0);
    // The envelope of the oscillation, e^(-zeta*omega*t) / sqrt(1 - zeta^2), falls below the tolerance.
    const double amplitude = zeta >= 1 ? 10.0 : 1 / std::sqrt(1 - zeta * zeta);
    const double seconds = std::log(amplitude / kTolerance) / (zeta * omega);
    return std::chrono::milliseconds(static_cast<long long>(std::ceil(seconds * 1000)));
}

} // namespace zn
