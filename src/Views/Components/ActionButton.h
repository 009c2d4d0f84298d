#pragma once

#include "Views/Components/ActionButtonStyles.h"

#include <QPushButton>

#include <optional>
#include <string>
#include <variant>

namespace zn {

class AnimatedValue;

// A push button drawn in one of the two action styles. Its label is its text, after an optional symbol or
// the product mark. The press darkens the fill, tightens the shadow and shrinks the button a little, eased
// over 0.12 seconds; the shadow may reach outside the layout's rectangle.
class ActionButton : public QPushButton {
    Q_OBJECT

public:
    using Style = std::variant<PrimaryActionButtonStyle, SecondaryActionButtonStyle>;

    ActionButton(const QString& text, Style style, QWidget* parent = nullptr);

    void setButtonStyle(Style style);
    const Style& buttonStyle() const { return style_; }
    // A symbol before the text; the product mark when `nexalMark` is true.
    void setLeadingSymbol(std::optional<std::string> systemName);
    void setLeadingNexalMark(bool nexalMark);
    void setHorizontalPadding(double padding);
    // The leading symbol or mark is as tall as the font and 6 points from the text unless set here.
    void setLeadingIconMetrics(double side, double spacing);

    // How far the press has gone, 0 released to 1 held (for tests of the look).
    double pressAmount() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    QRectF shapeRect() const;
    void updateOverflow();
    double labelWidth() const;
    double iconSide() const;

    Style style_;
    std::optional<std::string> leadingSymbol_;
    bool nexalMark_ = false;
    double horizontalPadding_ = 16;
    std::optional<double> iconSide_;
    double iconSpacing_ = 6;
    AnimatedValue* press_;
};

} // namespace zn
