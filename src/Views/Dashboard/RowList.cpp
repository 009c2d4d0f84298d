#include "Views/Dashboard/RowList.h"

namespace zn {

void keepRowCount(QBoxLayout& rows, std::size_t count, const std::function<QWidget*()>& makeRow) {
    while (rows.count() > static_cast<int>(count)) {
        QLayoutItem* item = rows.takeAt(rows.count() - 1);
        delete item->widget();
        delete item;
    }
    while (rows.count() < static_cast<int>(count))
        rows.addWidget(makeRow());
}

} // namespace zn
