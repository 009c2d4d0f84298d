#include "Views/Settings/SettingsStepper.h"

#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/ChevronPainter.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace zn {

namespace {
constexpr int kWidth = 16;
constexpr int kHeight = 22;
constexpr double kCornerRadius = 5;
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 60;
} // namespace

SettingsStepper::SettingsStepper(StepRange range, qint64 value, QWidget* parent)
    : QWidget(parent), range_(range), value_(range.snapped(value)) {
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(kRepeatIntervalMs);
        stepPressedArrow();
    });
}

void SettingsStepper::setValue(qint64 value) {
    const qint64 kept = std::clamp(value, range_.minimum, range_.maximum);
    if (kept == value_)
        return;
    value_ = kept;
    update();
    emit valueChanged(static_cast<int>(value_));
}

void SettingsStepper::stepBy(int steps) {
    setValue(value_ + steps * range_.step);
}

QSize SettingsStepper::sizeHint() const {
    return {kWidth, kHeight};
}

QRectF SettingsStepper::arrowsRect() const {
    return QRectF(rect()).adjusted(0.5, 0.5, -0.5, -1);
}

void SettingsStepper::stepPressedArrow() {
    if (pressed_ == Arrow::up)
        stepUp();
    else if (pressed_ == Arrow::down)
        stepDown();
}

void SettingsStepper::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed_ = event->position().y() < arrowsRect().center().y() ? Arrow::up : Arrow::down;
    stepPressedArrow();
    repeat_.start(kRepeatDelayMs);
    update();
}

void SettingsStepper::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    repeat_.stop();
    pressed_ = Arrow::none;
    update();
}

void SettingsStepper::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        stepUp();
    else if (event->key() == Qt::Key_Down)
        stepDown();
    else
        QWidget::keyPressEvent(event);
}

void SettingsStepper::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF arrows = arrowsRect();
    BorderedButton::paintStandardFace(painter, arrows, kCornerRadius, scheme, pressed_ != Arrow::none);
    if (hasFocus())
        strokeRoundedBorder(painter, arrows.adjusted(-1, -1, 1, 1), kCornerRadius + 1,
                            withOpacity(schemeAccent(scheme), 0.5), 2);
    const QColor label = platformColor(PlatformColor::primaryLabel, scheme);
    const QColor disabled = platformColor(PlatformColor::tertiaryLabel, scheme);
    const QRectF upHalf(arrows.left(), arrows.top(), arrows.width(), arrows.height() / 2);
    const QRectF downHalf(arrows.left(), arrows.center().y(), arrows.width(), arrows.height() / 2);
    paintChevron(painter, upHalf.translated(0, 1), true, value_ < range_.maximum ? label : disabled);
    paintChevron(painter, downHalf.translated(0, -1), false, value_ > range_.minimum ? label : disabled);
}

} // namespace zn
