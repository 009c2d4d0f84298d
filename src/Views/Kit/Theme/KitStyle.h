#pragma once

#include <QMargins>
#include <QProxyStyle>

class QWidget;

namespace zn {

// The application's style: Fusion, plus room for the kit's shadows. A card or button may paint beyond the
// rectangle the layout gives it (its shadow) without the layout making space for that overflow, as the
// platform the design comes from draws shadows outside a view's frame.
class KitStyle : public QProxyStyle {
    Q_OBJECT

public:
    KitStyle();

    // The widget (a frame or a push button) extends by `overflow` beyond its layout rectangle.
    static void setOverflow(QWidget& widget, const QMargins& overflow);
    static QMargins overflow(const QWidget& widget);

    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    // Tabs sit in the middle of their bar, as the design's platform places them.
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    // A split view's divider is a hairline in the separator colour, however wide its grip is.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    // Scroll bars are thin rounded handles without arrows, as the design's platform draws them.
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                         const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
};

} // namespace zn
