#include "Views/Components/Divider.h"

#include "Views/Components/SchemeColors.h"

#include <QPainter>

namespace zn {

Divider::Divider(QWidget* parent) : QWidget(parent) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Divider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), platformColor(*this, PlatformColor::separator));
}

} // namespace zn
