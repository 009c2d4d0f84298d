#include "appsupport/ScreenFrame.h"

#include "Views/Kit/Theme/SchemeColors.h"
#include "appsupport/Screenshots.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace zn::test {

ScreenFrame::ScreenFrame(QWidget& screen, QWidget* searchField, ColorScheme scheme, QSize size) {
    useScheme(*this, scheme);
    resize(size);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    if (searchField) {
        auto* toolbar = new QHBoxLayout;
        toolbar->setContentsMargins(16, 10, 16, 4);
        toolbar->addStretch(1);
        searchField->setParent(this);
        searchField->setFixedWidth(220);
        searchField->show();
        toolbar->addWidget(searchField);
        column->addLayout(toolbar);
    }
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
    QDir().mkpath(QStringLiteral(ZN_SCREENSHOT_DIR));
    image.save(QStringLiteral(ZN_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
    return image;
}

} // namespace zn::test
