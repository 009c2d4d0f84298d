#include "appsupport/Screenshots.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/AppTheme.h"

#include <QApplication>
#include <QDir>
#include <QLayout>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace zn::test {

void useScheme(QWidget& widget, ColorScheme scheme) {
    widget.setPalette(AppTheme::palette(scheme));
}

QImage saveImage(const QImage& image, const QString& name) {
    QDir().mkpath(QStringLiteral(ZN_SCREENSHOT_DIR));
    image.save(QStringLiteral(ZN_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
    return image;
}

QImage saveScreenshot(QWidget& widget, const QString& name) {
    widget.ensurePolished();
    if (QLayout* layout = widget.layout())
        layout->activate();
    QCoreApplication::processEvents();
    QImage image = widget.grab().toImage();
    return saveImage(image, name);
}

QImage saveScreenshotWithSheet(QWidget& window, QWidget& sheet, int top, const QString& name) {
    constexpr double kCorner = 10;
    window.ensurePolished();
    QCoreApplication::processEvents();
    QImage image = window.grab().toImage();
    sheet.adjustSize();
    const QImage drawn = sheet.grab().toImage();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(image.rect(), QColor(0, 0, 0, 40));
    const QRectF frame(QPointF((image.width() - drawn.width()) / 2.0, top), QSizeF(drawn.size()));
    paintRoundedShadow(painter, frame, kCorner, ShadowSpec{18, QPointF(0, 8), QColor(0, 0, 0, 90)});
    QPainterPath rounded;
    rounded.addRoundedRect(frame, kCorner, kCorner);
    painter.setClipPath(rounded);
    painter.drawImage(frame.topLeft(), drawn);
    painter.setClipping(false);
    strokeRoundedBorder(painter, frame, kCorner, QColor(128, 128, 128, 90), 1);
    painter.end();
    return saveImage(image, name);
}

QImage saveScreenshotWithPopup(QWidget& window, QWidget& popup, QPoint topLeft, const QString& name) {
    window.ensurePolished();
    QCoreApplication::processEvents();
    QImage image = window.grab().toImage();
    const QImage drawn = popup.grab().toImage();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintRoundedShadow(painter, QRectF(QPointF(topLeft), QSizeF(drawn.size())), 4,
                       ShadowSpec{10, QPointF(0, 4), QColor(0, 0, 0, 70)});
    painter.drawImage(topLeft, drawn);
    painter.end();
    return saveImage(image, name);
}

QString schemeName(ColorScheme scheme) {
    return scheme == ColorScheme::dark ? QStringLiteral("dark") : QStringLiteral("light");
}

} // namespace zn::test
