#pragma once

#include "Models/Tint.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <array>
#include <functional>
#include <numbers>
#include <optional>
#include <vector>

namespace zn {

// A source of random numbers, uniform in [0, 1).
using RandomSource = std::function<double()>;

// The paper pieces of one burst and how they fly. Every colour is its own emitter cell with the same
// settings; a setting with a range takes a value uniformly within value ± range for each piece.
namespace Confetti {
inline constexpr std::array<RgbColor, 6> kColors{{
    {0.04, 0.52, 1.0},
    {0.18, 0.78, 0.47},
    {1.0, 0.58, 0.04},
    {0.55, 0.32, 0.87},
    {1.0, 0.3, 0.5},
    {1.0, 0.78, 0.04},
}};
inline constexpr QSizeF kPieceSize{10, 14};
inline constexpr double kPieceCornerRadius = 1.5;
inline constexpr double kBirthRate = 16; // pieces per second and colour
inline constexpr double kLifetime = 6, kLifetimeRange = 1;
inline constexpr double kVelocity = 220, kVelocityRange = 90;
inline constexpr QPointF kAcceleration{0, 240};
// Downwards (y grows downwards), spread around the vertical.
inline constexpr double kEmissionLongitude = std::numbers::pi / 2, kEmissionRange = std::numbers::pi / 5;
inline constexpr double kSpin = 4, kSpinRange = 6; // radians per second
inline constexpr double kScale = 0.35, kScaleRange = 0.2;
inline constexpr double kAlphaSpeed = -0.35; // opacity per second
// Pieces are born during the first 1.2 seconds; the burst is gone after 4.
inline constexpr double kBirthsStopAfter = 1.2;
inline constexpr double kRemovedAfter = 4.0;
// The emitter line lies this far above the top edge.
inline constexpr double kEmitterAbove = 10;
} // namespace Confetti

// One piece where it is at a moment.
struct ConfettiPiece {
    QPointF position;
    double rotation = 0; // radians
    double scale = 1;
    double opacity = 1;
    std::size_t color = 0; // index into Confetti::kColors
};

// One burst: pieces born along a horizontal line, each falling on its own path. Positions follow from the
// time since the burst began, so any moment can be drawn without stepping through the ones before it.
class ConfettiBurst {
public:
    // The emitter line is `width` wide and centred on `centre`.
    ConfettiBurst(QPointF centre, double width, RandomSource random);

    // No piece is born after `elapsed` seconds. Births never go on past the first 1.2 seconds anyway.
    void stopBirths(double elapsed);
    bool isEmitting() const { return !birthsEnd_; }

    // The pieces in flight `elapsed` seconds after the burst began.
    std::vector<ConfettiPiece> piecesAt(double elapsed) const;
    // Where those pieces lie, drawn at their size and turned any way.
    static QRectF bounds(const std::vector<ConfettiPiece>& pieces);

private:
    struct Seed {
        double birth;
        std::size_t color;
        QPointF origin;
        QPointF velocity;
        double lifetime;
        double spin;
        double scale;
    };

    double vary(double value, double range);

    RandomSource random_;
    std::vector<Seed> seeds_; // in birth order
    std::optional<double> birthsEnd_;
};

} // namespace zn
