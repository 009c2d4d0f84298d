#pragma once

#include "Views/Settings/StoredSettings.h"

#include <QTimer>
#include <QWidget>

namespace zn {

// A stepper's arrows: a raised pair, up above down, that moves a whole number by one step inside a step
// range. Holding an arrow repeats; the up and down keys step too. The number is not shown here: the label
// beside the arrows tells it.
class SettingsStepper : public QWidget {
    Q_OBJECT

public:
    SettingsStepper(StepRange range, qint64 value, QWidget* parent = nullptr);

    int value() const { return static_cast<int>(value_); }
    int minimum() const { return static_cast<int>(range_.minimum); }
    int maximum() const { return static_cast<int>(range_.maximum); }
    // Kept inside the range; a value that does not change sends no signal.
    void setValue(qint64 value);
    void stepBy(int steps);
    void stepUp() { stepBy(1); }
    void stepDown() { stepBy(-1); }

    QSize sizeHint() const override;

signals:
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Arrow { none, up, down };

    QRectF arrowsRect() const;
    void stepPressedArrow();

    StepRange range_;
    qint64 value_;
    Arrow pressed_ = Arrow::none;
    QTimer repeat_;
};

} // namespace zn
