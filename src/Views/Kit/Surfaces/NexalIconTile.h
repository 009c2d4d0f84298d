#pragma once

#include "Models/Tint.h"

#include <QColor>
#include <QWidget>

namespace zn {

// The product mark in white on a strongly tinted rounded square.
class NexalIconTile : public QWidget {
    Q_OBJECT

public:
    NexalIconTile(QColor tint, double size, double corner, QWidget* parent = nullptr);

    static void paint(QPainter& painter, const QRectF& frame, ColorScheme scheme, const QColor& tint,
                      double corner);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor tint_;
    double size_;
    double corner_;
};

} // namespace zn
