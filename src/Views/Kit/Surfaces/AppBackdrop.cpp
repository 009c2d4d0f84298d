#include "Views/Kit/Surfaces/AppBackdrop.h"

#include "Views/Kit/Theme/SchemeColors.h"

#include <QPaintEvent>
#include <QPainter>

namespace zn {

AppBackdrop::AppBackdrop(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AppBackdrop::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), platformColor(*this, PlatformColor::windowBackground));
}

} // namespace zn
