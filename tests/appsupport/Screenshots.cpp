#include "appsupport/Screenshots.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/AppTheme.h"
#include "support/Patience.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QTest>
#include <QToolButton>
#include <QWidget>

namespace zn::test {

namespace {

// A line edit's clear button fades in and out on its own, knowing nothing of the motion switch: each is
// waited for until it is fully shown or gone, or a screenshot would catch it at whatever step the machine's
// load allowed.
void waitForClearButtons(QWidget& widget) {
    for (QLineEdit* field : widget.findChildren<QLineEdit*>()) {
        const auto* clear = field->findChild<QAction*>(QStringLiteral("_q_qlineeditclearaction"));
        const double shown = field->text().isEmpty() ? 0.0 : 1.0;
        for (QToolButton* button : field->findChildren<QToolButton*>())
            if (clear && button->defaultAction() == clear)
                (void)QTest::qWaitFor([&] { return button->property("opacity").toDouble() == shown; },
                                      static_cast<int>(kPatience.count()));
    }
}

} // namespace

QImage settledImage(QWidget& widget) {
    widget.ensurePolished();
    if (QLayout* layout = widget.layout())
        layout->activate();
    QCoreApplication::processEvents();
    waitForClearButtons(widget);
    return widget.grab().toImage();
}

void useScheme(QWidget& widget, ColorScheme scheme) {
    widget.setPalette(AppTheme::palette(scheme));
}

QImage saveImage(const QImage& image, const QString& name) {
    QDir().mkpath(QStringLiteral(ZN_SCREENSHOT_DIR));
    image.save(QStringLiteral(ZN_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
    return image;
}

QImage saveScreenshot(QWidget& widget, const QString& name) {
    return saveImage(settledImage(widget), name);
}

QImage saveScreenshotWithSheet(QWidget& window, QWidget& sheet, int top, const QString& name) {
    constexpr double kCorner = 10;
    QImage image = settledImage(window);
    sheet.adjustSize();
    const QImage drawn = settledImage(sheet);
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
    QImage image = settledImage(window);
    const QImage drawn = settledImage(popup);
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
