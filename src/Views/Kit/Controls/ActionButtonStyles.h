#pragma once

#include <QColor>

namespace zn {

// A filled call-to-action: `tint` in the dark scheme, the light scheme's accent blue in the light one.
struct PrimaryActionButtonStyle {
    QColor tint;
    QColor foreground = Qt::white;
    double minWidth = 0;
    double height = 36;
    double cornerRadius = 10;
};

// A quiet companion to the primary action: a faint fill of the label colour.
struct SecondaryActionButtonStyle {
    QColor foreground;
    double minWidth = 0;
    double height = 36;
    double cornerRadius = 10;
};

} // namespace zn
