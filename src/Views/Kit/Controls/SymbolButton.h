#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QAbstractButton>

#include <string>

namespace zn {

// A plain button that is only a symbol (a close cross, a help mark): no face of its own, the symbol
// padded on every side, its whole rectangle clickable.
class SymbolButton : public QAbstractButton {
    Q_OBJECT

public:
    SymbolButton(std::string systemName, double size, ColorSource color, double padding, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string systemName_;
    double size_;
    ColorSource color_;
    double padding_;
};

} // namespace zn
