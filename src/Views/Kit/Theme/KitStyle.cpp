#include "Views/Kit/Theme/KitStyle.h"

#include "Views/Kit/Controls/CheckBoxPainter.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QApplication>
#include <QPainter>
#include <QEvent>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

namespace zn {

namespace {
constexpr const char* kOverflowProperty = "zn_overflow";
constexpr int kScrollBarExtent = 11;
constexpr int kScrollHandleMinimum = 28;
} // namespace

KitStyle::KitStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void KitStyle::setOverflow(QWidget& widget, const QMargins& overflow) {
    if (KitStyle::overflow(widget) == overflow && widget.property(kOverflowProperty).isValid())
        return;
    widget.setProperty(kOverflowProperty, QVariant::fromValue(overflow));
    // Frames and buttons ask the style for their layout margins again on a style change.
    QEvent styleChange(QEvent::StyleChange);
    QApplication::sendEvent(&widget, &styleChange);
    widget.updateGeometry();
}

QMargins KitStyle::overflow(const QWidget& widget) {
    return widget.property(kOverflowProperty).value<QMargins>();
}

QRect KitStyle::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const {
    if ((element == SE_FrameLayoutItem || element == SE_PushButtonLayoutItem) && widget && option &&
        widget->property(kOverflowProperty).isValid())
        return option->rect.marginsRemoved(overflow(*widget));
    return QProxyStyle::subElementRect(element, option, widget);
}

int KitStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                        QStyleHintReturn* returnData) const {
    if (hint == SH_TabBar_Alignment)
        return Qt::AlignHCenter;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int KitStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
        return static_cast<int>(kCheckBoxSide);
    case PM_ScrollBarExtent:
        return kScrollBarExtent;
    case PM_ScrollBarSliderMin:
        return kScrollHandleMinimum;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void KitStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    if (element == PE_IndicatorCheckBox || element == PE_IndicatorItemViewItemCheck) {
        const Qt::CheckState state = option->state & State_NoChange ? Qt::PartiallyChecked
                                     : option->state & State_On     ? Qt::Checked
                                                                    : Qt::Unchecked;
        paintCheckBox(*painter, QRectF(option->rect), state, option->state & State_Enabled,
                      colorScheme(option->palette));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void KitStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const {
    if (element != CE_Splitter) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect area = option->rect;
    const QColor line = platformColor(PlatformColor::separator, colorScheme(option->palette));
    // A horizontal splitter's handle stands upright between its columns.
    if (option->state & State_Horizontal)
        painter->fillRect(QRect(area.center().x(), area.top(), 1, area.height()), line);
    else
        painter->fillRect(QRect(area.left(), area.center().y(), area.width(), 1), line);
}

QRect KitStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                               const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar)
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const QRect groove = bar->rect;
    const int length = horizontal ? groove.width() : groove.height();
    const int range = bar->maximum - bar->minimum;
    int handle = range > 0 ? static_cast<int>(static_cast<qint64>(bar->pageStep) * length / (range + bar->pageStep))
                           : length;
    handle = std::clamp(handle, std::min(kScrollHandleMinimum, length), length);
    const int start = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition, length - handle,
                                              bar->upsideDown);
    const QRect slider = horizontal ? QRect(groove.left() + start, groove.top(), handle, groove.height())
                                    : QRect(groove.left(), groove.top() + start, groove.width(), handle);
    switch (subControl) {
    case SC_ScrollBarSlider:
        return slider;
    case SC_ScrollBarGroove:
        return groove;
    case SC_ScrollBarSubPage:
        return horizontal ? QRect(groove.left(), groove.top(), start, groove.height())
                          : QRect(groove.left(), groove.top(), groove.width(), start);
    case SC_ScrollBarAddPage:
        return horizontal ? QRect(slider.right() + 1, groove.top(), groove.right() - slider.right(), groove.height())
                          : QRect(groove.left(), slider.bottom() + 1, groove.width(), groove.bottom() - slider.bottom());
    default:
        return {};
    }
}

void KitStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                  const QWidget* widget) const {
    if (control != CC_ScrollBar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const ColorScheme scheme = colorScheme(option->palette);
    const bool active = option->state & (State_MouseOver | State_Sunken);
    const QRect slider = subControlRect(control, option, SC_ScrollBarSlider, widget);
    const QRectF handle = QRectF(slider).adjusted(2.5, 2.5, -2.5, -2.5);
    fillRoundedRect(*painter, handle, capsuleRadius(handle),
                    withOpacity(platformColor(PlatformColor::primaryLabel, scheme), active ? 0.42 : 0.26));
}

} // namespace zn
