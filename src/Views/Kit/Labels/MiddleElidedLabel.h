#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QWidget>

namespace zn {

// One line of text that loses characters in its middle when it does not fit, so that both its start and
// its end (a path's root and its file name) stay visible. The full text is its tooltip while it is cut.
class MiddleElidedLabel : public QWidget {
    Q_OBJECT

public:
    MiddleElidedLabel(const QString& text, const QFont& font, ColorSource color, QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }
    // The text as drawn at the current width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateToolTip();

    QString text_;
    ColorSource color_;
};

} // namespace zn
