#pragma once

#include "Views/Kit/Motion/Motion.h"

#include <QObject>
#include <QPointer>
#include <QVariantAnimation>

namespace zn {

// A number a widget draws with, moving to each new target with a timing; every step repaints the widget.
// Moving again while a move runs starts from where the value stands, so nothing jumps.
class AnimatedValue : public QObject {
    Q_OBJECT

public:
    AnimatedValue(QWidget* owner, double initial);

    double value() const { return value_; }
    bool isRunning() const;

    void animateTo(double target, const Timing& timing);
    void setImmediately(double value);

signals:
    void changed();
    // The value has reached its target: the move ended, or it jumped there.
    void settled();

private:
    void apply(double value);

    QPointer<QWidget> owner_;
    double value_;
    double target_;
    double start_ = 0;
    Timing timing_;
    QVariantAnimation animation_;
};

} // namespace zn
