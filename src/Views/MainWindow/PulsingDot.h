#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QFrame>

#include <chrono>

namespace zn {

class RepeatingAnimation;

// The access footer's status light: a small glowing dot on a still halo, or, while it pulses, inside a
// ring that keeps growing and fading out. The ring runs whenever the dot pulses while on screen, also when
// pulsing starts after the dot appeared. It rests at its first frame while motion is off.
class PulsingDot : public QFrame {
    Q_OBJECT

public:
    static constexpr int kSide = 18;
    static constexpr std::chrono::milliseconds kRingPeriod{1400};

    PulsingDot(ColorSource tint, bool isPulsing, QWidget* parent = nullptr);

    void setTint(ColorSource tint);
    bool isPulsing() const { return isPulsing_; }
    void setPulsing(bool pulsing);
    bool isRingRunning() const;
    QColor tintColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorSource tint_;
    bool isPulsing_;
    RepeatingAnimation* ring_;
};

} // namespace zn
