#include "Views/CategoryDetail/TrailingCheckMarkStyle.h"

#include "Views/Kit/Theme/Symbols.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include <cmath>

namespace zn {

namespace {

constexpr double kLeadingPadding = 12;
constexpr double kTrailingPadding = 14;
constexpr double kMarkSpacing = 8;
constexpr double kMarkSide = 14;

bool isEntry(const QStyleOption* option) {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    return item && item->menuItemType == QStyleOptionMenuItem::Normal;
}

} // namespace

void TrailingCheckMarkStyle::drawControl(ControlElement element, const QStyleOption* option,
                                         QPainter* painter, const QWidget* widget) const {
    if (element != CE_MenuItem || !isEntry(option)) {
        KitStyle::drawControl(element, option, painter, widget);
        return;
    }
    const auto& item = *qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    // The desktop's style draws the entry's ground and highlight; the title and the mark are drawn here.
    QStyleOptionMenuItem ground(item);
    ground.checkType = QStyleOptionMenuItem::NotCheckable;
    ground.checked = false;
    ground.menuHasCheckableItems = false;
    ground.text.clear();
    KitStyle::drawControl(element, &ground, painter, widget);

    const bool enabled = item.state & State_Enabled;
    const bool highlighted = enabled && (item.state & State_Selected);
    const QColor color = item.palette.color(enabled ? QPalette::Active : QPalette::Disabled,
                                            highlighted ? QPalette::HighlightedText : QPalette::Text);
    const QRectF frame = QRectF(item.rect).adjusted(kLeadingPadding, 0, -kTrailingPadding, 0);
    painter->save();
    painter->setFont(item.font);
    painter->setPen(color);
    painter->drawText(frame, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic, item.text);
    if (item.checked) {
        painter->setRenderHint(QPainter::Antialiasing);
        const double titleWidth = QFontMetricsF(item.font).horizontalAdvance(item.text);
        const QRectF mark(frame.left() + titleWidth + kMarkSpacing, frame.center().y() - kMarkSide / 2,
                          kMarkSide, kMarkSide);
        paintSymbol(*painter, mark, "checkmark", kMarkSide * 0.85, color);
    }
    painter->restore();
}

QSize TrailingCheckMarkStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                               const QSize& size, const QWidget* widget) const {
    QSize natural = KitStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuItem || !isEntry(option))
        return natural;
    const auto& item = *qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    const double width = kLeadingPadding + QFontMetricsF(item.font).horizontalAdvance(item.text) +
                         kMarkSpacing + kMarkSide + kTrailingPadding;
    natural.setWidth(std::max(natural.width(), static_cast<int>(std::ceil(width))));
    return natural;
}

} // namespace zn
