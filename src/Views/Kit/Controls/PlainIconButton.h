#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QAbstractButton>

#include <optional>
#include <string>

namespace zn {

// A borderless button that is only its icon, a symbol or the product mark, brighter under the pointer: the
// platform's "plain" button style. Its help text is its tool tip.
class PlainIconButton : public QAbstractButton {
    Q_OBJECT

public:
    // A symbol at a text size.
    PlainIconButton(std::string systemName, double size, ColorSource color, const QString& help,
                    QWidget* parent = nullptr);
    // The product mark at `size` points.
    PlainIconButton(double size, QColor markTint, const QString& help, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<std::string> symbol_;
    double size_;
    ColorSource color_;
};

} // namespace zn
