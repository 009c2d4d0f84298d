#pragma once

#include <QColor>
#include <QWidget>

namespace zn {

// The product mark in one colour, fitted into a square.
class NexalIcon : public QWidget {
    Q_OBJECT

public:
    NexalIcon(double size, QColor tint, QWidget* parent = nullptr);

    static void paint(QPainter& painter, const QRectF& frame, const QColor& tint);

    void setTint(const QColor& tint);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double size_;
    QColor tint_;
};

} // namespace zn
