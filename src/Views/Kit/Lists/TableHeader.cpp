#include "Views/Kit/Lists/TableHeader.h"

#include "Views/Kit/Controls/ChevronPainter.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

namespace zn {

namespace {

constexpr int kHeight = 28;
constexpr int kTextInset = 8;

} // namespace

TableHeader::TableHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setFont(textFont(TextStyle::subheadline, QFont::Medium));
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QSize TableHeader::sizeHint() const {
    return {QHeaderView::sizeHint().width(), kHeight};
}

void TableHeader::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), platformColor(*this, PlatformColor::controlBackground));
    painter.fillRect(QRect(0, viewport()->height() - 1, viewport()->width(), 1),
                     platformColor(*this, PlatformColor::separator));
    painter.end();
    QHeaderView::paintEvent(event);
}

void TableHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QColor ink = platformColor(PlatformColor::secondaryLabel, scheme);
    QRect text = rect.adjusted(kTextInset, 0, -kTextInset, -1);
    if (isSortIndicatorShown() && sortIndicatorSection() == logicalIndex) {
        // A small chevron at the trailing end: down for ascending, as the desktop draws it.
        const QRectF chevron(text.right() - 8, rect.center().y() - 3.5, 8, 8);
        paintChevron(*painter, chevron, sortIndicatorOrder() != Qt::AscendingOrder, ink);
        text.setRight(text.right() - 14);
    }
    painter->setPen(ink);
    painter->setFont(font());
    const QString title = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(title, Qt::ElideRight, text.width()));
    // A hairline after every column but the last.
    if (visualIndex(logicalIndex) < count() - 1)
        painter->fillRect(QRectF(rect.right(), rect.top() + 6, 1, rect.height() - 12),
                          platformColor(PlatformColor::separator, scheme));
    painter->restore();
}

} // namespace zn
