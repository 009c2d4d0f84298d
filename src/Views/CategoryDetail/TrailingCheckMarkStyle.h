#pragma once

#include "Views/Kit/Theme/KitStyle.h"

namespace zn {

// The look of a menu whose entries mark the choice in force with a check mark after their title, in place
// of the indicator the desktop draws before it. Set on the menu alone.
class TrailingCheckMarkStyle : public KitStyle {
    Q_OBJECT

public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};

} // namespace zn
