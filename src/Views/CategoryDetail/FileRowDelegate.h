#pragma once

#include <QStyledItemDelegate>

namespace zn {

// Paints one row of the file list: check box, the symbol of the file's kind, name over path (both cut in
// the middle when long), the day it was last changed when known, and its size in a column of fixed width.
// The current row is tinted and ringed in the accent while the list has the focus.
class FileRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 46;
    static constexpr double kHorizontalPadding = 14;
    static constexpr double kSizeColumnWidth = 80;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace zn
