#pragma once

#include "Views/Settings/StoredSettings.h"

#include <QSpinBox>

namespace zn {

// A number field with up and down arrows that keeps to a step range: the arrows move one step, and a typed
// value is taken, when the field is left or Return is pressed, as the nearest value on a step inside the
// range.
class SettingsStepper : public QSpinBox {
    Q_OBJECT

public:
    SettingsStepper(StepRange range, qint64 value, QWidget* parent = nullptr);

protected:
    int valueFromText(const QString& text) const override;
    // A rounded number field beside a raised pair of arrows, in the design's look.
    void paintEvent(QPaintEvent* event) override;

private:
    StepRange range_;
};

} // namespace zn
