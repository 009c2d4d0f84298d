#include "Views/Settings/SettingsStepper.h"

#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/ChevronPainter.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>
#include <QStyleOptionSpinBox>

namespace zn {

SettingsStepper::SettingsStepper(StepRange range, qint64 value, QWidget* parent)
    : QSpinBox(parent), range_(range) {
    setRange(static_cast<int>(range.minimum), static_cast<int>(range.maximum));
    setSingleStep(static_cast<int>(range.step));
    setValue(static_cast<int>(range.snapped(value)));
    // A half-typed number is not a choice yet.
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFont(textFont(TextStyle::body));
    setFixedSize(84, 22);
}

int SettingsStepper::valueFromText(const QString& text) const {
    bool isNumber = false;
    const qint64 typed = locale().toLongLong(text.trimmed(), &isNumber);
    return static_cast<int>(isNumber ? range_.snapped(typed) : range_.snapped(value()));
}

void SettingsStepper::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRectF arrows = QRectF(style()
                                     ->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this)
                                     .united(style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                                     QStyle::SC_SpinBoxDown, this)))
                              .adjusted(0.5, 0.5, -0.5, -1);
    const QRectF field =
        QRectF(rect()).adjusted(0.5, 0.5, 0, -0.5).intersected(QRectF(0, 0, arrows.left() - 3, height()));

    fillRoundedRect(painter, field, 5, palette().color(QPalette::Base));
    strokeRoundedBorder(painter, field, 5,
                        hasFocus() ? withOpacity(schemeAccent(scheme), 0.7)
                                   : withOpacity(platformColor(PlatformColor::primaryLabel, scheme),
                                                 byScheme(scheme, 0.2, 0.16)),
                        hasFocus() ? 1.5 : 0.75);

    const bool upPressed =
        (option.activeSubControls & QStyle::SC_SpinBoxUp) && (option.state & QStyle::State_Sunken);
    const bool downPressed =
        (option.activeSubControls & QStyle::SC_SpinBoxDown) && (option.state & QStyle::State_Sunken);
    BorderedButton::paintStandardFace(painter, arrows, 5, scheme, upPressed || downPressed);
    const QColor label = platformColor(PlatformColor::primaryLabel, scheme);
    const QColor disabled = platformColor(PlatformColor::tertiaryLabel, scheme);
    const QRectF upHalf(arrows.left(), arrows.top(), arrows.width(), arrows.height() / 2);
    const QRectF downHalf(arrows.left(), arrows.center().y(), arrows.width(), arrows.height() / 2);
    paintChevron(painter, upHalf.translated(0, 1), true, value() < maximum() ? label : disabled);
    paintChevron(painter, downHalf.translated(0, -1), false, value() > minimum() ? label : disabled);
}

} // namespace zn
