#include "Views/Kit/Motion/FadeIn.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/WidgetOpacity.h"

#include <QWidget>

#include <algorithm>

namespace zn {

void fadeIn(QWidget& widget, std::chrono::milliseconds duration) {
    auto* opacity = new AnimatedValue(&widget, 0);
    setWidgetOpacity(widget, 0);
    QObject::connect(opacity, &AnimatedValue::changed, &widget,
                     [&widget, opacity] { setWidgetOpacity(widget, std::clamp(opacity->value(), 0.0, 1.0)); });
    QObject::connect(opacity, &AnimatedValue::settled, opacity, &QObject::deleteLater);
    opacity->animateTo(1, Timing::easeInOut(duration));
}

} // namespace zn
