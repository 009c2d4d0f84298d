#include "Views/Dashboard/RowDivider.h"

#include "Views/Components/SchemeColors.h"

#include <QPainter>

namespace zn {

void paintRowDivider(QPainter& painter, const QRectF& row, ColorScheme scheme) {
    painter.fillRect(QRectF(row.left() + kRowDividerInset, row.bottom() - 1, row.width() - kRowDividerInset, 1),
                     platformColor(PlatformColor::separator, scheme));
}

} // namespace zn
