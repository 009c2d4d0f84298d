#include "Views/Kit/Surfaces/Divider.h"

#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>

namespace zn {

Divider::Divider(Qt::Orientation orientation, double opacity, QWidget* parent)
    : QWidget(parent), orientation_(orientation), opacity_(opacity) {
    if (orientation == Qt::Horizontal) {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setFixedWidth(1);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
}

void Divider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), withOpacity(platformColor(*this, PlatformColor::separator), opacity_));
}

} // namespace zn
