#include "Views/Kit/Motion/WidgetOpacity.h"

#include <QGraphicsOpacityEffect>
#include <QWidget>

#include <algorithm>

namespace zn {

void setWidgetOpacity(QWidget& widget, double opacity) {
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget.graphicsEffect());
    if (opacity >= 1) {
        if (effect)
            widget.setGraphicsEffect(nullptr);
        return;
    }
    if (!effect) {
        effect = new QGraphicsOpacityEffect(&widget);
        widget.setGraphicsEffect(effect);
    }
    effect->setOpacity(std::max(0.0, opacity));
}

} // namespace zn
