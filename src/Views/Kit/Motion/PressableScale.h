#pragma once

#include <QObject>
#include <QRectF>

class QPainter;
class QWidget;

namespace zn {

class AnimatedValue;

// Hover and press feedback for a painted widget: it grows to `hoverScale` under the pointer and shrinks to
// 0.99 while held (the press wins over the hover). It only watches the widget's events, so the widget's
// own clicks keep working; the widget scales its drawing with `applyTo` in its paint event.
class PressableScale : public QObject {
    Q_OBJECT

public:
    static constexpr double kPressedScale = 0.99;

    PressableScale(QWidget& target, double hoverScale);

    // The scale drawn now.
    double scale() const;
    // Scales the painter about the centre of `frame`.
    void applyTo(QPainter& painter, const QRectF& frame) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The scale the feedback moves to.
    double targetScale() const;
    void setHovering(bool hovering);
    void setPressing(bool pressing);

    double hoverScale_;
    bool hovering_ = false;
    bool pressing_ = false;
    AnimatedValue* scale_;
};

} // namespace zn
