#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantAnimation>

#include <chrono>

class QWidget;

namespace zn {

// A value that swings from 0 to 1 and back for as long as it runs, eased in and out each way, repainting its
// owner at every step: bobbing icons and breathing dots. With motion switched off it rests at 1, so a
// screenshot shows one still frame.
class RepeatingMotion : public QObject {
    Q_OBJECT

public:
    // `halfPeriod` is the time from 0 to 1.
    RepeatingMotion(QWidget* owner, std::chrono::milliseconds halfPeriod);

    double value() const { return value_; }
    bool isRunning() const;
    void start();
    void stop();

private:
    QPointer<QWidget> owner_;
    double value_ = 0;
    QVariantAnimation animation_;
};

} // namespace zn
