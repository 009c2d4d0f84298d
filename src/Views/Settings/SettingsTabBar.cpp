#include "Views/Settings/SettingsTabBar.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

namespace zn {

namespace {
constexpr double kHighlightInset = 3;
// Room above the tabs, below the window's title bar.
constexpr double kTopMargin = 7;
constexpr double kIconSize = 18;
constexpr double kMarkSize = 15;
} // namespace

SettingsTabBar::SettingsTabBar(QWidget* parent) : QTabBar(parent) {
    setDrawBase(false);
    setExpanding(false);
    setDocumentMode(true);
    setFont(textFont(TextStyle::footnote, QFont::Medium));
    setCursor(Qt::PointingHandCursor);
    // Hovering a tab lightens it.
    setAttribute(Qt::WA_Hover);
}

void SettingsTabBar::setTabSymbol(int index, const std::string& symbol) {
    setTabData(index, QString::fromStdString(symbol));
}

std::string SettingsTabBar::tabSymbol(int index) const {
    return tabData(index).toString().toStdString();
}

QSize SettingsTabBar::tabSizeHint(int) const {
    return kTabSize;
}

void SettingsTabBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QColor primary = platformColor(PlatformColor::primaryLabel, scheme);
    const QColor secondary = platformColor(PlatformColor::secondaryLabel, scheme);
    const QColor accent = schemeAccent(scheme);
    const QPoint pointer = mapFromGlobal(QCursor::pos());
    for (int index = 0; index < count(); ++index) {
        const QRectF cell =
            QRectF(tabRect(index))
                .adjusted(kHighlightInset, kHighlightInset + kTopMargin, -kHighlightInset, -kHighlightInset);
        const bool selected = index == currentIndex();
        if (selected)
            fillRoundedRect(painter, cell, 8, withOpacity(primary, byScheme(scheme, 0.12, 0.07)));
        else if (underMouse() && tabRect(index).contains(pointer))
            fillRoundedRect(painter, cell, 8, withOpacity(primary, 0.04));

        const QColor foreground = selected ? accent : secondary;
        const QRectF iconFrame(cell.center().x() - 12, cell.top() + 6, 24, 22);
        const std::string symbol = tabSymbol(index);
        if (symbol.empty()) {
            // The product mark takes the tab's colour, as the platform draws a tab's image as a template.
            QRectF mark(0, 0, kMarkSize + 3, kMarkSize + 3);
            mark.moveCenter(iconFrame.center());
            NexalIcon::paint(painter, mark, foreground);
        } else {
            paintSymbol(painter, iconFrame, symbol, kIconSize, foreground);
        }
        painter.setFont(font());
        painter.setPen(selected ? primary : secondary);
        painter.drawText(QRectF(cell.left(), iconFrame.bottom() + 3, cell.width(), 16),
                         Qt::AlignHCenter | Qt::AlignTop, tabText(index));
    }
}

} // namespace zn
