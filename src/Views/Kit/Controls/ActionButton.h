#pragma once

#include "Views/Kit/Controls/ActionButtonStyles.h"
#include "Views/Kit/Theme/ColorSource.h"

#include <QPushButton>

#include <functional>
#include <optional>
#include <string>
#include <variant>

class QPainter;

namespace zn {

class AnimatedValue;

// A push button drawn in one of the two action styles. Its label is its text, after an optional symbol or
// the product mark. The press darkens the fill, tightens the shadow and shrinks the button a little, eased
// over 0.12 seconds; the shadow may reach outside the layout's rectangle.
class ActionButton : public QPushButton {
    Q_OBJECT

public:
    using Style = std::variant<PrimaryActionButtonStyle, SecondaryActionButtonStyle>;

    // Draws an icon into `frame` in the button's foreground colour.
    using IconPainter = std::function<void(QPainter& painter, const QRectF& frame, const QColor& foreground)>;

    ActionButton(const QString& text, Style style, QWidget* parent = nullptr);

    void setButtonStyle(Style style);
    const Style& buttonStyle() const { return style_; }
    // A symbol before the text; the product mark when `nexalMark` is true.
    void setLeadingSymbol(std::optional<std::string> systemName);
    void setLeadingNexalMark(bool nexalMark);
    // A foreground that follows the scheme (the label colour, the scheme accent), in place of the style's.
    void setForeground(std::optional<ColorSource> foreground);
    // An icon of the caller's own before the text, `side` points square; it takes the place of a symbol or
    // the mark. An empty painter removes it.
    void setLeadingIcon(IconPainter icon, double side);
    // An icon after the text (a menu's chevron), `side` points square.
    void setTrailingIcon(IconPainter icon, double side);
    // The gap between an icon and the text, 6 points unless set here.
    void setIconSpacing(double spacing);

    // Where the text of the label sits: its baseline's distance from the top of the rectangle layouts give
    // the button (its shadow's overflow aside), for rows that line the button up with other text.
    double labelBaseline() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    QRectF shapeRect() const;
    void updateOverflow();
    double labelWidth() const;
    double leadingIconSide() const;

    Style style_;
    std::optional<std::string> leadingSymbol_;
    bool nexalMark_ = false;
    std::optional<ColorSource> foreground_;
    IconPainter leadingIcon_;
    double leadingIconSide_ = 0;
    IconPainter trailingIcon_;
    double trailingIconSide_ = 0;
    double iconSpacing_ = 6;
    AnimatedValue* press_;
};

} // namespace zn
