#include "Views/Kit/Theme/TextStyles.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <array>

namespace zn {

namespace {

struct StyleMetrics {
    double size;
    QFont::Weight weight;
};

// In the order of TextStyle.
constexpr std::array<StyleMetrics, 10> kStyles{{
    {26, QFont::Normal},
    {22, QFont::Normal},
    {17, QFont::Normal},
    {15, QFont::Normal},
    {13, QFont::Bold},
    {13, QFont::Normal},
    {12, QFont::Normal},
    {11, QFont::Normal},
    {10, QFont::Normal},
    {10, QFont::Normal},
}};

// Dots per inch of one point; widgets convert toolkit points to pixels at their screen's rounded logical
// resolution, which is the primary screen's for fonts measured without a widget.
double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96.0;
}

constexpr double kToolkitPointsPerInch = 72;

} // namespace

double fontSize(const QFont& font) {
    if (font.pixelSize() > 0)
        return font.pixelSize();
    return font.pointSizeF() * logicalDpi() / kToolkitPointsPerInch;
}

void setFontSize(QFont& font, double size) {
    font.setPointSizeF(size * kToolkitPointsPerInch / logicalDpi());
}

QFont systemFont(double size, QFont::Weight weight) {
    QFont font;
    font.setFamilies(QStringList() << QStringLiteral("Inter") << QStringLiteral("DejaVu Sans") << QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    setFontSize(font, size);
    font.setWeight(weight);
    return font;
}

QFont monospacedFont(double size, QFont::Weight weight) {
    QFont font;
    font.setFamilies(QStringList() << QStringLiteral("DejaVu Sans Mono") << QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    setFontSize(font, size);
    font.setWeight(weight);
    return font;
}

QFont textFont(TextStyle style, std::optional<QFont::Weight> weight) {
    const StyleMetrics& metrics = kStyles[static_cast<std::size_t>(style)];
    return systemFont(metrics.size, weight.value_or(metrics.weight));
}

} // namespace zn
