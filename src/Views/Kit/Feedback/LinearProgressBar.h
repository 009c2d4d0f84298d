#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QWidget>

#include <optional>

namespace zn {

class AnimatedValue;
class RepeatingAnimation;

// The desktop's thin linear progress bar: a capsule track filled with the tint up to the value, easing
// towards each new value. Without a value it is indeterminate: a short stretch of the tint sweeps along the
// track for as long as the bar is on screen and motion is on.
class LinearProgressBar : public QWidget {
    Q_OBJECT

public:
    static constexpr double kHeight = 6;

    explicit LinearProgressBar(ColorSource tint, QWidget* parent = nullptr);

    // A fraction from 0 to 1, or none for indeterminate.
    void setValue(std::optional<double> value);
    std::optional<double> value() const { return value_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorSource tint_;
    std::optional<double> value_;
    AnimatedValue* shown_;
    RepeatingAnimation* sweep_;
};

} // namespace zn
