#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QLabel>

namespace zn {

// A label in one of the kit's fonts and colours; the colour follows the scheme.
class TextLabel : public QLabel {
    Q_OBJECT

public:
    TextLabel(const QString& text, const QFont& font, ColorSource color = PlatformColor::primaryLabel,
              QWidget* parent = nullptr);

    void setColor(ColorSource color);
    // One line whose digits all take the same width, so a changing number does not jitter.
    void setMonospacedDigits(bool monospaced);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Layouts ask with the width they have; a label held narrower wraps at its own width.
    int heightForWidth(int width) const override;

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Whether the label draws its text itself rather than as the toolkit's label does: with monospaced
    // digits, or in a font with a half-point size.
    bool drawsItself() const;
    int textFlags() const;
    // The size the text takes at `width`, margins included.
    QSize textSize(double width) const;
    void applyColor();

    ColorSource color_;
    bool monospacedDigits_ = false;
};

} // namespace zn
