#include "Views/Kit/Theme/TextStyles.h"

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

} // namespace

QFont systemFont(double size, QFont::Weight weight) {
    QFont font;
    font.setFamilies(QStringList() << QStringLiteral("Inter") << QStringLiteral("DejaVu Sans") << QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(size));
    font.setWeight(weight);
    return font;
}

QFont monospacedFont(double size, QFont::Weight weight) {
    QFont font;
    font.setFamilies(QStringList() << QStringLiteral("DejaVu Sans Mono") << QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(qRound(size));
    font.setWeight(weight);
    return font;
}

QFont textFont(TextStyle style, std::optional<QFont::Weight> weight) {
    const StyleMetrics& metrics = kStyles[static_cast<std::size_t>(style)];
    return systemFont(metrics.size, weight.value_or(metrics.weight));
}

} // namespace zn
