#pragma once

#include <QWidget>

namespace zn {

// A hairline in the separator colour, across (horizontal) or down (vertical) the space it is given.
class Divider : public QWidget {
    Q_OBJECT

public:
    explicit Divider(Qt::Orientation orientation = Qt::Horizontal, double opacity = 1, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double opacity_;
};

} // namespace zn
