#include "Views/Kit/Surfaces/ScreenTitleBar.h"

#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QPainter>

namespace zn {

ScreenTitleBar::ScreenTitleBar(QWidget* parent)
    : QWidget(parent), title_(new TextLabel(QString(), textFont(TextStyle::title2, QFont::Bold))),
      items_(new QHBoxLayout) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(20, 14, 16, 14);
    row->setSpacing(12);
    row->addWidget(title_);
    row->addStretch(1);
    items_->setSpacing(8);
    row->addLayout(items_);
    setMinimumHeight(58);
}

void ScreenTitleBar::setTitle(const QString& title) {
    title_->setText(title);
}

QString ScreenTitleBar::title() const {
    return title_->text();
}

void ScreenTitleBar::addItem(QWidget* item) {
    items_->addWidget(item);
}

void ScreenTitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(QRectF(0, height() - 1, width(), 1), platformColor(*this, PlatformColor::separator));
}

} // namespace zn
