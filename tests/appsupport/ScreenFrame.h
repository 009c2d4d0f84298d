#pragma once

#include "Models/Tint.h"

#include <QImage>
#include <QString>
#include <QWidget>

namespace zn::test {

// A detail screen as the main window shows it, for screenshots: when the screen has a search field, a
// toolbar strip above it holds the field at its trailing end.
class ScreenFrame : public QWidget {
public:
    ScreenFrame(QWidget& screen, QWidget* searchField, ColorScheme scheme, QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Writes build/screenshots/<name>.png: the frame with `alert` laid over its middle, the frame dimmed
// behind it, as the alert shows over the window.
QImage saveScreenshotWithAlert(QWidget& frame, QWidget& alert, ColorScheme scheme, const QString& name);

} // namespace zn::test
