#include "Views/Onboarding/PageStage.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/WidgetOpacity.h"

#include <QPainter>

namespace zn {

PageStage::PageStage(QMargins padding, QWidget* parent)
    : QWidget(parent), padding_(padding), progress_(new AnimatedValue(this, 1)) {
    connect(progress_, &AnimatedValue::changed, this, &PageStage::place);
    connect(progress_, &AnimatedValue::settled, this, [this] {
        // In place: the new page draws itself again and the old one's picture goes.
        leaving_ = QPixmap();
        if (page_)
            setWidgetOpacity(*page_, 1);
        update();
    });
}

bool PageStage::isMoving() const {
    return !leaving_.isNull();
}

void PageStage::show(QWidget* page) {
    QWidget* old = page_;
    page_ = page;
    page->setParent(this);
    if (!old) {
        page->show();
        place();
        return;
    }
    progress_->setImmediately(0);
    leaving_ = old->isVisible() ? old->grab() : QPixmap();
    old->hide();
    old->deleteLater();
    setWidgetOpacity(*page, 0);
    page->show();
    place();
    progress_->animateTo(1, Timing::springy(0.45, 0.85));
}

void PageStage::place() {
    if (!page_)
        return;
    const double progress = progress_->value();
    const QRect area = rect().marginsRemoved(padding_);
    page_->setGeometry(area.translated(static_cast<int>(width() * (1 - progress)), 0));
    if (isMoving() || progress_->isRunning())
        setWidgetOpacity(*page_, std::clamp(progress, 0.0, 1.0));
    update();
}

void PageStage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

void PageStage::paintEvent(QPaintEvent*) {
    if (!isMoving())
        return;
    QPainter painter(this);
    const double progress = progress_->value();
    painter.setOpacity(std::clamp(1 - progress, 0.0, 1.0));
    const QRect area = rect().marginsRemoved(padding_);
    painter.drawPixmap(area.topLeft() - QPoint(static_cast<int>(width() * progress), 0), leaving_);
}

} // namespace zn
