#pragma once

#include <QObject>
#include <QVariantAnimation>

namespace zn {

// A value that breathes: from 0 to 1 and back with an ease-in-out curve, for as long as it runs (waiting
// dots, badges). Widgets that draw with it repaint on `changed`. With motion off it rests at 1, the state
// it swings to.
class BreathingValue : public QObject {
    Q_OBJECT

public:
    static constexpr int kHalfPeriodMs = 1400;

    explicit BreathingValue(QObject* parent = nullptr);

    double value() const { return value_; }

    // Starts from 0; breathing again after stop() starts over.
    void start();
    // Stops where it stands: nothing ticks while the owner is not shown.
    void stop();

signals:
    void changed();

private:
    void apply(double value);

    double value_ = 0;
    QVariantAnimation animation_;
};

} // namespace zn
