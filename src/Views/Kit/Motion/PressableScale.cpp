#include "Views/Kit/Motion/PressableScale.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/ScaleAbout.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace zn {

namespace {
constexpr auto kHoverDuration = std::chrono::milliseconds(180);
constexpr auto kPressDuration = std::chrono::milliseconds(80);
} // namespace

PressableScale::PressableScale(QWidget& target, double hoverScale)
    : QObject(&target), hoverScale_(hoverScale), scale_(new AnimatedValue(&target, 1)) {
    target.setAttribute(Qt::WA_Hover);
    target.installEventFilter(this);
}

double PressableScale::targetScale() const {
    if (pressing_)
        return kPressedScale;
    return hovering_ ? hoverScale_ : 1;
}

double PressableScale::scale() const {
    return scale_->value();
}

void PressableScale::applyTo(QPainter& painter, const QRectF& frame) const {
    scaleAbout(painter, frame.center(), scale());
}

bool PressableScale::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::HoverEnter:
        setHovering(true);
        break;
    case QEvent::Leave:
    case QEvent::HoverLeave:
        setHovering(false);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        setPressing(true);
        break;
    case QEvent::MouseMove:
        if (static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton)
            setPressing(true);
        break;
    case QEvent::MouseButtonRelease:
        setPressing(false);
        break;
    default:
        break;
    }
    return false;
}

void PressableScale::setHovering(bool hovering) {
    if (hovering_ == hovering)
        return;
    hovering_ = hovering;
    scale_->animateTo(targetScale(), Timing::easeOut(kHoverDuration));
}

void PressableScale::setPressing(bool pressing) {
    if (pressing_ == pressing)
        return;
    pressing_ = pressing;
    scale_->animateTo(targetScale(), Timing::easeOut(kPressDuration));
}

} // namespace zn
