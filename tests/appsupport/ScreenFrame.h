#pragma once

#include "Models/Tint.h"

#include <QImage>
#include <QString>
#include <QWidget>

namespace zn::test {

// A detail screen as the main window shows it, for screenshots: a toolbar strip above it holds the screen's
// title, and at its trailing end the screen's toolbar items and search field, when it has them.
class ScreenFrame : public QWidget {
public:
    ScreenFrame(QWidget& screen, ColorScheme scheme, QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Writes build/screenshots/<name>.png: the frame with `alert` laid over its middle, the frame dimmed
// behind it, as the alert shows over the window.
QImage saveScreenshotWithAlert(QWidget& frame, QWidget& alert, ColorScheme scheme, const QString& name);

} // namespace zn::test
