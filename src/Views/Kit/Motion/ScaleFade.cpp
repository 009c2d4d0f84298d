#include "Views/Kit/Motion/ScaleFade.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/ScaleAbout.h"

#include <QGraphicsEffect>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace zn {

namespace {

// Draws the widget, with everything in it, at an opacity and a scale about its centre, both `amount`.
class ScaleFadeEffect : public QGraphicsEffect {
public:
    using QGraphicsEffect::QGraphicsEffect;

    void setAmount(double amount) {
        amount_ = amount;
        update();
    }

protected:
    void draw(QPainter* painter) override {
        QPoint offset;
        const QPixmap picture = sourcePixmap(Qt::LogicalCoordinates, &offset);
        const QRectF frame(offset, picture.deviceIndependentSize());
        painter->save();
        painter->setOpacity(painter->opacity() * amount_);
        scaleAbout(*painter, frame.center(), amount_);
        painter->drawPixmap(offset, picture);
        painter->restore();
    }

private:
    double amount_ = 1;
};

} // namespace

ScaleFade::ScaleFade(QWidget& widget, std::chrono::milliseconds duration)
    : QObject(&widget), widget_(widget), duration_(duration), amount_(new AnimatedValue(&widget, 1)),
      present_(!widget.isHidden()) {
    connect(amount_, &AnimatedValue::changed, this, &ScaleFade::apply);
    connect(amount_, &AnimatedValue::settled, this, [this] {
        if (!present_)
            widget_.hide();
    });
}

void ScaleFade::setPresent(bool present, bool animated) {
    present_ = present;
    if (present)
        widget_.show();
    if (!animated) {
        amount_->setImmediately(present ? 1 : 0);
        return;
    }
    // A widget just shown starts from where it stands (gone), not whole, before the first step.
    apply();
    amount_->animateTo(present ? 1 : 0, Timing::easeInOut(duration_));
}

double ScaleFade::amount() const {
    return std::clamp(amount_->value(), 0.0, 1.0);
}

void ScaleFade::apply() {
    // Whole, the widget draws as itself again, at no cost.
    auto* effect = dynamic_cast<ScaleFadeEffect*>(widget_.graphicsEffect());
    if (amount() >= 1) {
        if (effect)
            widget_.setGraphicsEffect(nullptr);
        return;
    }
    if (!effect) {
        effect = new ScaleFadeEffect(&widget_);
        widget_.setGraphicsEffect(effect);
    }
    effect->setAmount(amount());
}

} // namespace zn
