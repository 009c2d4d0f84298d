#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QWidget>

namespace zn {

class AnimatedValue;
class NumericTextTransition;
class RepeatingAnimation;

// A progress ring whose arc (at least 5 and at most 95 percent of the ring) turns clockwise once every four
// seconds while the gauge is on screen, with the unclamped percentage and a caption in its middle.
class ScanningGauge : public QWidget {
    Q_OBJECT

public:
    ScanningGauge(ColorSource tint, QString label, QWidget* parent = nullptr);

    void setProgress(double progress);
    // The share of the ring the arc covers once it has caught up with the progress.
    double arcFraction() const;
    QString percentText() const;
    const QString& label() const { return label_; }
    // How far the arc has turned, in turns (0 while it stands still).
    double spin() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorSource tint_;
    QString label_;
    double progress_ = 0;
    AnimatedValue* arc_;
    NumericTextTransition* figure_;
    RepeatingAnimation* spin_;
};

} // namespace zn
