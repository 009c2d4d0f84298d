#include "appsupport/Screenshots.h"

#include "Views/Components/AppTheme.h"

#include <QApplication>
#include <QDir>
#include <QLayout>
#include <QWidget>

namespace zn::test {

void useScheme(QWidget& widget, ColorScheme scheme) {
    widget.setPalette(AppTheme::palette(scheme));
}

QImage saveScreenshot(QWidget& widget, const QString& name) {
    widget.ensurePolished();
    if (QLayout* layout = widget.layout())
        layout->activate();
    QCoreApplication::processEvents();
    QImage image = widget.grab().toImage();
    QDir().mkpath(QStringLiteral(ZN_SCREENSHOT_DIR));
    image.save(QStringLiteral(ZN_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
    return image;
}

QString schemeName(ColorScheme scheme) {
    return scheme == ColorScheme::dark ? QStringLiteral("dark") : QStringLiteral("light");
}

} // namespace zn::test
