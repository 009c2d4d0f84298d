#include "Views/Apps/ByteCountDelegate.h"

#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QApplication>
#include <QPainter>

namespace zn {

void ByteCountDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    cell.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    painter->save();
    painter->setFont(option.font);
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                             : platformColor(PlatformColor::secondaryLabel, colorScheme(option.palette)));
    const QRect textFrame = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    drawMonospacedDigits(*painter, textFrame, Qt::AlignLeft | Qt::AlignVCenter, text);
    painter->restore();
}

} // namespace zn
