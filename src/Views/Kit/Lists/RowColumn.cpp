#include "Views/Kit/Lists/RowColumn.h"

#include <QResizeEvent>

#include <algorithm>

namespace zn {

RowColumn::RowColumn(int rowHeight, int margin, QWidget* parent)
    : QWidget(parent), rowHeight_(rowHeight), margin_(margin) {}

void RowColumn::setRows(std::vector<QWidget*> rows) {
    const bool heightChanged = rows.size() != rows_.size();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i < rows_.size() && rows_[i] == rows[i])
            continue;
        rows[i]->setGeometry(place(i));
        rows[i]->show();
    }
    rows_ = std::move(rows);
    if (heightChanged)
        updateGeometry();
}

QRect RowColumn::place(std::size_t index) const {
    return QRect(margin_, margin_ + static_cast<int>(index) * rowHeight_, std::max(0, width() - 2 * margin_),
                 rowHeight_);
}

QSize RowColumn::sizeHint() const {
    int widest = 0;
    for (QWidget* row : rows_)
        widest = std::max(widest, row->sizeHint().width());
    return {widest + 2 * margin_, static_cast<int>(rows_.size()) * rowHeight_ + 2 * margin_};
}

QSize RowColumn::minimumSizeHint() const {
    int widest = 0;
    for (QWidget* row : rows_)
        widest = std::max(widest, row->minimumSizeHint().width());
    return {widest + 2 * margin_, static_cast<int>(rows_.size()) * rowHeight_ + 2 * margin_};
}

void RowColumn::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (event->size().width() == event->oldSize().width())
        return;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        rows_[i]->setGeometry(place(i));
}

} // namespace zn
