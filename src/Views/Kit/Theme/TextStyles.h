#pragma once

#include <QFont>

#include <optional>

namespace zn {

// The named text styles of the screens, each with the platform's size and weight.
enum class TextStyle {
    largeTitle,
    title,
    title2,
    title3,
    headline,
    body,
    callout,
    subheadline,
    footnote,
    caption,
};

// The system font (Inter, else the desktop's sans serif) in a style; `weight` replaces the style's own.
QFont textFont(TextStyle style, std::optional<QFont::Weight> weight = std::nullopt);
// The system font at a size in points (one point is one device-independent pixel).
QFont systemFont(double size, QFont::Weight weight = QFont::Normal);
// The system font's monospaced design (paths, code), at a size in points.
QFont monospacedFont(double size, QFont::Weight weight = QFont::Normal);

// A font's size in points, half points kept. The toolkit holds a fractional size only in its own points of
// 1/72 inch, so sizes are converted at the screens' logical resolution; its font engine still draws whole
// pixels, and TextDrawing.h draws the half point.
double fontSize(const QFont& font);
void setFontSize(QFont& font, double size);

} // namespace zn
