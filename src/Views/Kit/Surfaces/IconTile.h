#pragma once

#include "Models/Tint.h"

#include <QColor>
#include <QWidget>

#include <string>
#include <string_view>

namespace zn {

// A symbol on a softly tinted rounded square.
class IconTile : public QWidget {
    Q_OBJECT

public:
    // Callers choose a glow; the tile looks the same either way.
    IconTile(std::string systemName, QColor tint, double size, double corner, bool glow, QWidget* parent = nullptr);

    // The tile drawn into `frame` (a square) by painted rows that have no widget per tile.
    static void paint(QPainter& painter, const QRectF& frame, ColorScheme scheme, std::string_view systemName,
                      const QColor& tint, double corner);

    void setSymbol(std::string systemName);
    void setTint(const QColor& tint);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string systemName_;
    QColor tint_;
    double size_;
    double corner_;
};

} // namespace zn
