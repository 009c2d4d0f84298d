#pragma once

#include <QObject>
#include <QVariantAnimation>

class QWidget;

namespace zn {

// A cycle that repeats for as long as it is wanted, its widget is on screen and motion is on (spins,
// sweeps, breathing glows); each step repaints the widget. It runs on the animation timer, so nothing wakes
// while it stands still.
class RepeatingAnimation : public QObject {
    Q_OBJECT

public:
    RepeatingAnimation(QWidget& owner, int cycleMilliseconds);

    void setWanted(bool wanted);
    bool isRunning() const;
    // How far into the current cycle, 0 to 1; 0 while it stands still.
    double phase() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    QWidget& owner_;
    bool wanted_ = false;
    QVariantAnimation cycle_;
};

} // namespace zn
