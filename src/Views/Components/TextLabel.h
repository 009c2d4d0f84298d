#pragma once

#include "Views/Components/ColorSource.h"

#include <QLabel>

namespace zn {

// A label in one of the kit's fonts and colours; the colour follows the scheme.
class TextLabel : public QLabel {
    Q_OBJECT

public:
    TextLabel(const QString& text, const QFont& font, ColorSource color = PlatformColor::primaryLabel,
              QWidget* parent = nullptr);

    void setColor(ColorSource color);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyColor();

    ColorSource color_;
};

} // namespace zn
