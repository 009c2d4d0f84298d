#include "Views/Kit/Surfaces/OverflowWidgetItem.h"

#include "Views/Kit/Theme/KitStyle.h"

#include <QWidget>

namespace zn {

void OverflowWidgetItem::setGeometry(const QRect& rect) {
    if (isEmpty())
        return;
    // The shape keeps the size it asks for, centred in the space given.
    QRect shape(QPoint(), sizeHint().boundedTo(rect.size()));
    shape.moveCenter(rect.center());
    widget()->setGeometry(shape.marginsAdded(KitStyle::overflow(*widget())));
}

} // namespace zn
