#include "Views/CategoryDetail/FileRowDelegate.h"

#include "Platform/core/DateStyleFormatter.h"
#include "Views/CategoryDetail/FileIcon.h"
#include "Views/CategoryDetail/FileListModel.h"
#include "Views/Kit/Controls/CheckBoxPainter.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QFontMetricsF>
#include <QPainter>

namespace zn {

namespace {

constexpr double kSpacing = 8;
constexpr double kSymbolFrameWidth = 20;
constexpr double kLineSpacing = 2;
constexpr double kCurrentRowCorner = 6;

void drawLine(QPainter& painter, const QRectF& frame, const QFont& font, const QColor& color,
              const QString& text, Qt::TextElideMode elide, Qt::Alignment alignment = Qt::AlignLeft) {
    painter.setFont(font);
    painter.setPen(color);
    const QString shown = QFontMetricsF(font).elidedText(text, elide, frame.width());
    painter.drawText(frame, alignment | Qt::AlignVCenter, shown);
}

// Where a row draws its check box.
QRectF checkBoxFrame(const QRect& row) {
    const double padding = FileRowDelegate::kHorizontalPadding;
    return {row.left() + padding, row.center().y() + 0.5 - kCheckBoxSide / 2, kCheckBoxSide, kCheckBoxSide};
}

} // namespace

void FileRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const auto* model = qobject_cast<const FileListModel*>(index.model());
    if (!model)
        return;
    const CleanableItem& item = model->itemAt(index.row());
    const ColorScheme scheme = colorScheme(option.palette);
    const QRect row = option.rect;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::TextAntialiasing);

    // The row the keyboard acts on (Space ticks it) is drawn while the list has the focus.
    if (option.state & QStyle::State_HasFocus) {
        const QColor accent = schemeAccent(scheme);
        const QRectF shape = QRectF(row).adjusted(4, 2, -4, -2);
        fillRoundedRect(*painter, shape, kCurrentRowCorner, withOpacity(accent, byScheme(scheme, 0.16, 0.1)));
        strokeRoundedBorder(*painter, shape, kCurrentRowCorner,
                            withOpacity(accent, byScheme(scheme, 0.55, 0.45)), 1);
    }

    const QRectF box = checkBoxFrame(row);
    paintCheckBox(*painter, box, model->isSelected(index.row()) ? Qt::Checked : Qt::Unchecked, true, scheme);

    double x = box.right() + kSpacing;
    const QRectF symbol(x, row.top(), kSymbolFrameWidth, row.height());
    paintSymbol(*painter, symbol, fileIconSymbol(item.name, item.path), 15,
                platformColor(PlatformColor::secondaryLabel, scheme));
    x = symbol.right() + kSpacing;

    double right = row.right() + 1 - kHorizontalPadding;
    const QRectF size(right - kSizeColumnWidth, row.top(), kSizeColumnWidth, row.height());
    drawLine(*painter, size, textFont(TextStyle::callout, QFont::Medium),
             platformColor(PlatformColor::primaryLabel, scheme), bytesText(item.size), Qt::ElideNone,
             Qt::AlignRight);
    right = size.left() - kSpacing;

    if (item.lastModified) {
        const QFont font = textFont(TextStyle::caption);
        const QString date = QString::fromStdString(longDateText(*item.lastModified));
        const double width = QFontMetricsF(font).horizontalAdvance(date) + 1;
        drawLine(*painter, QRectF(right - width, row.top(), width, row.height()), font,
                 platformColor(PlatformColor::secondaryLabel, scheme), date, Qt::ElideNone, Qt::AlignRight);
        right -= width + kSpacing;
    }

    const QFont nameFont = textFont(TextStyle::body);
    const QFont pathFont = textFont(TextStyle::caption);
    const double nameHeight = QFontMetricsF(nameFont).height();
    const double pathHeight = QFontMetricsF(pathFont).height();
    const double top = row.top() + (row.height() - nameHeight - kLineSpacing - pathHeight) / 2;
    const double width = std::max(0.0, right - kSpacing - x);
    drawLine(*painter, QRectF(x, top, width, nameHeight), nameFont,
             platformColor(PlatformColor::primaryLabel, scheme), shownText(item.name), Qt::ElideMiddle);
    drawLine(*painter, QRectF(x, top + nameHeight + kLineSpacing, width, pathHeight), pathFont,
             platformColor(PlatformColor::tertiaryLabel, scheme), shownText(item.path), Qt::ElideMiddle);

    if (index.row() + 1 < model->rowCount()) {
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(platformColor(PlatformColor::separator, scheme), 1));
        painter->drawLine(QPointF(box.right() + kSpacing, row.bottom()),
                          QPointF(row.right() + 1 - kHorizontalPadding, row.bottom()));
    }
    painter->restore();
}

QSize FileRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), kRowHeight};
}

} // namespace zn
