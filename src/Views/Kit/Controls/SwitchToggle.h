#pragma once

#include <QAbstractButton>

namespace zn {

class AnimatedValue;

// The desktop's on/off switch as the design shows it: a capsule track, the scheme accent when on, with a
// white knob that slides across on a spring. A checkable button: `toggled` reports every change.
class SwitchToggle : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr QSize kSize{34, 20};

    explicit SwitchToggle(QWidget* parent = nullptr);

    QSize sizeHint() const override { return kSize; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;
    // Both the user's toggle and a change made in code move the knob, also with signals blocked.
    void checkStateSet() override;
    void nextCheckState() override;

private:
    void moveKnob();

    AnimatedValue* knob_; // 0 at the leading end, 1 at the trailing end
};

} // namespace zn
