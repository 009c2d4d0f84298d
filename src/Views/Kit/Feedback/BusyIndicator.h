#pragma once

#include <QBasicTimer>
#include <QWidget>

namespace zn {

// An indeterminate progress indicator: the desktop's spinning wheel of spokes, or a linear bar with a
// travelling segment. It moves only while motion is on; with motion off it shows one still frame.
class BusyIndicator : public QWidget {
    Q_OBJECT

public:
    enum class Style { spinning, linear };

    explicit BusyIndicator(Style style, QWidget* parent = nullptr);

    Style style() const { return style_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void paintSpinner(QPainter& painter) const;
    void paintBar(QPainter& painter) const;

    Style style_;
    QBasicTimer timer_;
    int phase_ = 0;
};

} // namespace zn
