#pragma once

#include <QWidget>

namespace zn {

class BreathingValue;

// A small ring with a dot that breathes inside it: something is being waited for.
class WaitingDot : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSide = 10;

    explicit WaitingDot(const BreathingValue& pulse, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const BreathingValue& pulse_;
};

} // namespace zn
