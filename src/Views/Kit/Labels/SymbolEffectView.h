#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QWidget>

#include <optional>
#include <string>

namespace zn {

class AnimatedValue;
class RepeatingAnimation;

// A symbol, optionally on a disc, with the platform's symbol effects: a bounce when a watched value changes,
// and a repeating glow that runs while the symbol is on screen. It is filled with one colour, or with a
// gradient from the top-leading to the bottom-trailing corner. With motion off it stands still.
class SymbolEffectView : public QWidget {
    Q_OBJECT

public:
    SymbolEffectView(std::string systemName, double size, ColorSource color, QWidget* parent = nullptr);

    // The fill runs from `color` at the top-leading corner to `end` at the bottom-trailing one.
    void setGradientEnd(std::optional<ColorSource> end);
    // A disc filling the view behind the symbol; it does not bounce.
    void setDisc(std::optional<ColorSource> fill);
    // Bounces when `value` differs from the value given last since the symbol came on screen.
    void bounceOnChange(long long value);
    // The glow that repeats while the symbol is shown.
    void setRepeatingGlow(bool glowing);

    QSize sizeHint() const override;

protected:
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A quick grow and settle, once.
    void bounce();

    std::string systemName_;
    double size_;
    ColorSource color_;
    std::optional<ColorSource> gradientEnd_;
    std::optional<ColorSource> disc_;
    AnimatedValue* bounce_; // the course of the last bounce, 0 to 1
    RepeatingAnimation* glow_;
    std::optional<long long> lastValue_;
};

} // namespace zn
