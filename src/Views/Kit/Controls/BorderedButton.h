#pragma once

#include "Models/Tint.h"

#include <QColor>
#include <QPushButton>

#include <optional>
#include <string>

namespace zn {

// The desktop's own push button as the design shows it: "bordered" (a light raised face) or "bordered
// prominent" (filled with the tint, white text), in three control sizes. The tint is the scheme accent unless
// a caller gives one (the remove buttons are red).
class BorderedButton : public QPushButton {
    Q_OBJECT

public:
    enum class Prominence { standard, prominent };
    enum class ControlSize { small, regular, large };

    BorderedButton(const QString& text, Prominence prominence, QWidget* parent = nullptr);

    // The standard style's raised face, for controls that look like this button (pop-up buttons, steppers).
    static void paintStandardFace(QPainter& painter, const QRectF& shape, double cornerRadius, ColorScheme scheme,
                                  bool down);

    void setTint(std::optional<QColor> tint);
    void setProminence(Prominence prominence);
    void setControlSize(ControlSize size);
    // A symbol, or the product mark, before the text.
    void setLeadingSymbol(std::optional<std::string> systemName);
    void setLeadingNexalMark(bool nexalMark, double size = 15);
    bool hasLeadingNexalMark() const { return nexalMark_; }
    const std::optional<std::string>& leadingSymbol() const { return leadingSymbol_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double height() const;
    double iconWidth() const;
    QColor tintColor() const;

    Prominence prominence_;
    ControlSize controlSize_ = ControlSize::regular;
    std::optional<QColor> tint_;
    std::optional<std::string> leadingSymbol_;
    bool nexalMark_ = false;
    double markSize_ = 15;
};

} // namespace zn
