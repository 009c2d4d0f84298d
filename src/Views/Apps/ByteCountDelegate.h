#pragma once

#include <QStyledItemDelegate>

namespace zn {

// A size cell: the formatted byte count in even-width digits, in the secondary label colour.
class ByteCountDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace zn
