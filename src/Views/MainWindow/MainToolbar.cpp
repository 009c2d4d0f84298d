#include "Views/MainWindow/MainToolbar.h"

#include "Views/Kit/Controls/AppearancePill.h"
#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QPainter>

namespace zn {

namespace {
constexpr int kSearchFieldWidth = 240;
} // namespace

MainToolbar::MainToolbar(ThemeManager& theme, QWidget* parent)
    : QToolBar(parent), leading_(new QWidget), appearance_(AppearancePill::boundTo(theme)),
      title_(new TextLabel(QString(), systemFont(15, QFont::DemiBold))), itemsSlot_(new QWidget),
      searchSlot_(new QWidget) {
    setMovable(false);
    setFloatable(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFixedHeight(kHeight);
    setContentsMargins(0, 0, 0, 0);

    // One widget holds the whole row, so the toolbar's own spacing and overflow menu never come into play.
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 20, 0);
    row->setSpacing(20);
    auto* leading = new QHBoxLayout(leading_);
    leading->setContentsMargins(12, 0, 0, 0);
    leading->addWidget(appearance_, 0, Qt::AlignVCenter);
    leading->addStretch(1);
    row->addWidget(leading_);
    row->addWidget(title_, 0, Qt::AlignVCenter);
    row->addStretch(1);
    for (QWidget* slot : {itemsSlot_, searchSlot_}) {
        (new QHBoxLayout(slot))->setContentsMargins(0, 0, 0, 0);
        slot->hide();
        row->addWidget(slot, 0, Qt::AlignVCenter);
    }
    searchSlot_->setFixedWidth(kSearchFieldWidth);
    content->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(content);
}

void MainToolbar::setTitle(const QString& title) {
    title_->setText(title);
}

void MainToolbar::setLeadingWidth(int width) {
    leading_->setFixedWidth(std::max(width, appearance_->sizeHint().width() + 12));
}

void MainToolbar::setSearchField(SearchField* field) {
    lend(*searchSlot_, field_, field);
}

SearchField* MainToolbar::releaseSearchField() {
    return static_cast<SearchField*>(takeBack(*searchSlot_, field_));
}

void MainToolbar::setItems(QWidget* items) {
    lend(*itemsSlot_, items_, items);
}

QWidget* MainToolbar::releaseItems() {
    return takeBack(*itemsSlot_, items_);
}

void MainToolbar::lend(QWidget& slot, QPointer<QWidget>& held, QWidget* widget) {
    takeBack(slot, held);
    held = widget;
    if (!widget)
        return;
    slot.layout()->addWidget(widget);
    widget->show();
    slot.show();
}

QWidget* MainToolbar::takeBack(QWidget& slot, QPointer<QWidget>& held) {
    QWidget* widget = held;
    held = nullptr;
    if (widget)
        slot.layout()->removeWidget(widget);
    slot.hide();
    return widget;
}

void MainToolbar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ColorScheme scheme = colorScheme(*this);
    painter.fillRect(rect(), platformColor(PlatformColor::windowBackground, scheme));
    painter.fillRect(QRect(0, height() - 1, width(), 1), platformColor(PlatformColor::separator, scheme));
}

} // namespace zn
