#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QWidget>

namespace zn {

class NumericTextTransition;

// One line of a large changing figure (bytes found, bytes freed): monospaced digits, counting up into each
// new value. When the line is narrower than the text, the font shrinks down to the minimum scale factor.
class NumericTextLabel : public QWidget {
    Q_OBJECT

public:
    NumericTextLabel(const QFont& font, ColorSource color, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    void setColor(ColorSource color);
    void setMinimumScaleFactor(double factor);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorSource color_;
    double minimumScaleFactor_ = 1;
    NumericTextTransition* transition_;
};

} // namespace zn
