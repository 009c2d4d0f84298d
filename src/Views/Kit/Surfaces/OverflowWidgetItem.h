#pragma once

#include <QWidgetItem>

namespace zn {

// A layout's place for a widget that draws past its layout rectangle (a button's shadow): the widget gets
// its whole reach around the rectangle the layout gives, even where the reach lies above or left of its
// parent's edge, which the toolkit's own item trims off the widget, and with it part of the shape.
class OverflowWidgetItem : public QWidgetItem {
public:
    using QWidgetItem::QWidgetItem;

    void setGeometry(const QRect& rect) override;
};

} // namespace zn
