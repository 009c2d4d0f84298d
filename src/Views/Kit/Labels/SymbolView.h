#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QWidget>

#include <string>

namespace zn {

// One symbol as a widget, at a text size, in a colour that follows the scheme.
class SymbolView : public QWidget {
    Q_OBJECT

public:
    SymbolView(std::string systemName, double size, ColorSource color, QWidget* parent = nullptr);

    void setSymbol(std::string systemName);
    void setColor(ColorSource color);
    const std::string& symbol() const { return systemName_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string systemName_;
    double size_;
    ColorSource color_;
};

} // namespace zn
