#pragma once

#include "Models/Tint.h"

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QString>

#include <optional>

class QApplication;

namespace zn {

class DesktopColorScheme;
class ThemeManager;

// The look around every window: the colour scheme in effect (the stored appearance, else the desktop's),
// the palette and the font built from it, and the scheme accent every tinted control takes.
class AppTheme : public QObject {
    Q_OBJECT

public:
    AppTheme(ThemeManager& manager, DesktopColorScheme& desktop, QObject* parent = nullptr);

    // "light" and "dark" force their scheme; any other text follows the desktop.
    static std::optional<ColorScheme> preferredScheme(const QString& rawValue);
    // The palette the screens are drawn with in a scheme.
    static QPalette palette(ColorScheme scheme);
    // The application's style and font; the palette follows with `apply`.
    static void installStyle();

    ColorScheme scheme() const;
    // The scheme accent: green in the dark scheme, blue in the light one.
    QColor brandTint() const;

    // Styles the application now and again whenever the appearance or the desktop's scheme changes.
    void apply(QApplication& application);

signals:
    void schemeChanged(ColorScheme scheme);

private:
    void refresh();
    void setApplicationPalette();

    ThemeManager& manager_;
    DesktopColorScheme& desktop_;
    QApplication* application_ = nullptr;
    ColorScheme applied_;
};

} // namespace zn
