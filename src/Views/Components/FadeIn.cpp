#include "Views/Components/FadeIn.h"

#include "Views/Components/Motion.h"

#include <QGraphicsOpacityEffect>
#include <QPointer>
#include <QPropertyAnimation>
#include <QWidget>

namespace zn {

void fadeIn(QWidget& widget, std::chrono::milliseconds duration) {
    if (!Motion::enabled())
        return;
    auto* effect = new QGraphicsOpacityEffect(&widget);
    effect->setOpacity(0);
    widget.setGraphicsEffect(effect);
    auto* animation = new QPropertyAnimation(effect, "opacity", effect);
    animation->setDuration(static_cast<int>(duration.count()));
    animation->setEndValue(1.0);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    QObject::connect(animation, &QPropertyAnimation::finished, &widget, [target = QPointer<QWidget>(&widget), effect] {
        // The effect owns the animation that is finishing: drop it on the next turn.
        QMetaObject::invokeMethod(
            target.data(),
            [target, effect] {
                if (target && target->graphicsEffect() == effect)
                    target->setGraphicsEffect(nullptr);
            },
            Qt::QueuedConnection);
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace zn
