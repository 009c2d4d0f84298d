#pragma once

#include "Views/Components/ColorSource.h"

#include <QAbstractButton>

namespace zn {

// A button that is only its text, as the platform's plain button style draws it: no face, the text in a
// quiet colour that dims while pressed.
class PlainButton : public QAbstractButton {
    Q_OBJECT

public:
    PlainButton(const QString& text, const QFont& font, ColorSource color = PlatformColor::secondaryLabel,
                QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorSource color_;
};

} // namespace zn
