#include "Views/Kit/Theme/AppTheme.h"

#include "Platform/qt/DesktopColorScheme.h"
#include "Views/Kit/Theme/KitStyle.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Kit/Theme/ThemeManager.h"

#include <QApplication>
#include <QToolTip>

namespace zn {

AppTheme::AppTheme(ThemeManager& manager, DesktopColorScheme& desktop, QObject* parent)
    : QObject(parent), manager_(manager), desktop_(desktop), applied_(scheme()) {
    connect(&manager_, &ThemeManager::objectWillChange, this, &AppTheme::refresh);
    connect(&desktop_, &DesktopColorScheme::changed, this, &AppTheme::refresh);
}

std::optional<ColorScheme> AppTheme::preferredScheme(const QString& rawValue) {
    if (rawValue == QStringLiteral("light"))
        return ColorScheme::light;
    if (rawValue == QStringLiteral("dark"))
        return ColorScheme::dark;
    return std::nullopt;
}

ColorScheme AppTheme::scheme() const {
    return preferredScheme(manager_.rawValue()).value_or(desktop_.current());
}

QColor AppTheme::brandTint() const {
    return schemeAccent(scheme());
}

QPalette AppTheme::palette(ColorScheme scheme) {
    const auto color = [scheme](PlatformColor which) { return platformColor(which, scheme); };
    const QColor window = color(PlatformColor::windowBackground);
    const QColor base = color(PlatformColor::controlBackground);
    const QColor label = color(PlatformColor::primaryLabel);
    const QColor accent = schemeAccent(scheme);
    const QColor button = byScheme(scheme, QColor(74, 74, 74), QColor(255, 255, 255));

    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, label);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, byScheme(scheme, QColor(38, 38, 38), QColor(244, 245, 245)));
    palette.setColor(QPalette::Text, label);
    palette.setColor(QPalette::PlaceholderText, color(PlatformColor::tertiaryLabel));
    palette.setColor(QPalette::Button, button);
    palette.setColor(QPalette::ButtonText, label);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, accent);
    palette.setColor(QPalette::LinkVisited, accent);
    palette.setColor(QPalette::ToolTipBase, byScheme(scheme, QColor(42, 42, 42), QColor(250, 250, 250)));
    palette.setColor(QPalette::ToolTipText, label);
    palette.setColor(QPalette::Light, window.lighter(byScheme(scheme, 140, 110)));
    palette.setColor(QPalette::Midlight, window.lighter(byScheme(scheme, 120, 105)));
    palette.setColor(QPalette::Mid, window.darker(byScheme(scheme, 120, 115)));
    palette.setColor(QPalette::Dark, window.darker(byScheme(scheme, 150, 135)));
    palette.setColor(QPalette::Shadow, QColor(0, 0, 0, byScheme(scheme, 160, 90)));
    const QColor disabled = color(PlatformColor::tertiaryLabel);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabled);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, withOpacity(accent, 0.4));
    return palette;
}

void AppTheme::installStyle() {
    QApplication::setStyle(new KitStyle);
    QApplication::setFont(textFont(TextStyle::body));
}

void AppTheme::apply(QApplication& application) {
    application_ = &application;
    installStyle();
    applied_ = scheme();
    setApplicationPalette();
}

void AppTheme::refresh() {
    const ColorScheme now = scheme();
    if (now == applied_)
        return;
    applied_ = now;
    if (application_)
        setApplicationPalette();
    emit schemeChanged(now);
}

void AppTheme::setApplicationPalette() {
    // Every widget repaints on the palette change; the kit reads its scheme from the palette.
    QApplication::setPalette(palette(applied_));
    QToolTip::setPalette(palette(applied_));
}

} // namespace zn
