#include "Views/Kit/Feedback/ConfettiBurst.h"

#include <algorithm>
#include <cmath>

namespace zn {

ConfettiBurst::ConfettiBurst(QPointF centre, double width, RandomSource random) : random_(std::move(random)) {
    using namespace Confetti;
    // Each colour's cell emits at its own steady rate from its own random start within the first interval.
    const double interval = 1 / kBirthRate;
    for (std::size_t color = 0; color < kColors.size(); ++color) {
        const double phase = random_() * interval;
        for (double birth = phase; birth < kBirthsStopAfter; birth += interval)
            seeds_.push_back({birth, color, {}, {}, 0, 0, 0});
    }
    std::sort(seeds_.begin(), seeds_.end(), [](const Seed& a, const Seed& b) { return a.birth < b.birth; });
    for (Seed& seed : seeds_) {
        seed.origin = QPointF(centre.x() + (random_() - 0.5) * width, centre.y());
        const double angle = vary(kEmissionLongitude, kEmissionRange);
        const double speed = vary(kVelocity, kVelocityRange);
        seed.velocity = QPointF(std::cos(angle) * speed, std::sin(angle) * speed);
        seed.lifetime = vary(kLifetime, kLifetimeRange);
        seed.spin = vary(kSpin, kSpinRange);
        seed.scale = std::max(0.0, vary(kScale, kScaleRange));
    }
}

double ConfettiBurst::vary(double value, double range) {
    return value + (random_() * 2 - 1) * range;
}

void ConfettiBurst::stopBirths(double elapsed) {
    if (!birthsEnd_)
        birthsEnd_ = elapsed;
}

std::vector<ConfettiPiece> ConfettiBurst::piecesAt(double elapsed) const {
    using namespace Confetti;
    const double bornBefore = std::min(elapsed, birthsEnd_.value_or(elapsed));
    std::vector<ConfettiPiece> pieces;
    for (const Seed& seed : seeds_) {
        if (seed.birth > bornBefore)
            break;
        const double age = elapsed - seed.birth;
        const double opacity = 1 + kAlphaSpeed * age;
        if (age >= seed.lifetime || opacity <= 0)
            continue;
        const QPointF position = seed.origin + seed.velocity * age + kAcceleration * (age * age / 2);
        pieces.push_back({position, seed.spin * age, seed.scale, std::min(1.0, opacity), seed.color});
    }
    return pieces;
}

QRectF ConfettiBurst::bounds(const std::vector<ConfettiPiece>& pieces) {
    QRectF united;
    // A turned piece stays within the circle around its longer side.
    const double reach = std::hypot(Confetti::kPieceSize.width(), Confetti::kPieceSize.height()) / 2;
    for (const ConfettiPiece& piece : pieces) {
        const double r = reach * piece.scale + 1;
        united |= QRectF(piece.position - QPointF(r, r), QSizeF(2 * r, 2 * r));
    }
    return united;
}

} // namespace zn
