#include "appsupport/ScreenFrame.h"

#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Controls/SearchableScreen.h"
#include "Views/Kit/Controls/ToolbarScreen.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/MainWindow/MainToolbar.h"
#include "appsupport/Screenshots.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace zn::test {

ScreenFrame::ScreenFrame(QWidget& screen, ColorScheme scheme, QSize size) {
    useScheme(*this, scheme);
    resize(size);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* toolbar = new QHBoxLayout;
    toolbar->setContentsMargins(20, 0, 20, 0);
    toolbar->setSpacing(20);
    auto* title = new TextLabel(screen.windowTitle(), systemFont(15, QFont::DemiBold));
    QObject::connect(&screen, &QWidget::windowTitleChanged, title, &TextLabel::setText);
    toolbar->addWidget(title);
    toolbar->addStretch(1);
    auto* tooled = dynamic_cast<ToolbarScreen*>(&screen);
    auto* searchable = dynamic_cast<SearchableScreen*>(&screen);
    for (QWidget* lent : {tooled ? &tooled->toolbarItems() : nullptr,
                          searchable ? static_cast<QWidget*>(&searchable->searchField()) : nullptr})
        if (lent) {
            lent->setParent(this);
            lent->show();
            toolbar->addWidget(lent);
        }
    if (searchable)
        searchable->searchField().setFixedWidth(240);
    auto* strip = new QWidget;
    strip->setFixedHeight(MainToolbar::kHeight);
    strip->setLayout(toolbar);
    column->addWidget(strip);
    screen.setParent(this);
    column->addWidget(&screen, 1);
    useScheme(screen, scheme);
    show();
}

void ScreenFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), platformColor(*this, PlatformColor::windowBackground));
}

QImage saveScreenshotWithAlert(QWidget& frame, QWidget& alert, ColorScheme scheme, const QString& name) {
    useScheme(alert, scheme);
    alert.adjustSize();
    QImage image = settledImage(frame);
    const QImage box = settledImage(alert);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(0, 0, 0, scheme == ColorScheme::dark ? 110 : 60));
    const QPoint corner((image.width() - box.width()) / 2, (image.height() - box.height()) / 3);
    painter.setPen(QColor(0, 0, 0, 60));
    painter.drawRect(QRect(corner, box.size()).adjusted(-1, -1, 0, 0));
    painter.drawImage(corner, box);
    painter.end();
    return saveImage(image, name);
}

} // namespace zn::test
