#pragma once

#include <QWidget>

namespace zn {

// A hairline between parts of a screen in the separator colour, across (horizontal) or along (vertical)
// its parent's layout, at an opacity.
class Divider : public QWidget {
    Q_OBJECT

public:
    explicit Divider(Qt::Orientation orientation = Qt::Horizontal, double opacity = 1.0, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation orientation_;
    double opacity_;
};

} // namespace zn
