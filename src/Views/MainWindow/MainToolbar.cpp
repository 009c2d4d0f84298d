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
      title_(new TextLabel(QString(), systemFont(15, QFont::DemiBold))), searchSlot_(new QWidget) {
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
    auto* slot = new QHBoxLayout(searchSlot_);
    slot->setContentsMargins(0, 0, 0, 0);
    searchSlot_->setFixedWidth(kSearchFieldWidth);
    searchSlot_->hide();
    row->addWidget(searchSlot_, 0, Qt::AlignVCenter);
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
    releaseSearchField();
    field_ = field;
    if (!field)
        return;
    searchSlot_->layout()->addWidget(field);
    field->show();
    searchSlot_->show();
}

SearchField* MainToolbar::releaseSearchField() {
    SearchField* field = field_;
    field_ = nullptr;
    if (field)
        searchSlot_->layout()->removeWidget(field);
    searchSlot_->hide();
    return field;
}

void MainToolbar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ColorScheme scheme = colorScheme(*this);
    painter.fillRect(rect(), platformColor(PlatformColor::windowBackground, scheme));
    painter.fillRect(QRect(0, height() - 1, width(), 1), platformColor(PlatformColor::separator, scheme));
}

} // namespace zn
