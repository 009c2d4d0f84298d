#pragma once

#include "Models/Tint.h"

#include <QColor>
#include <QFrame>
#include <QPixmap>

#include <optional>

class QVBoxLayout;

namespace zn {

// How far a card seems to float: the shadow under it.
enum class CardElevation { flat, standard, raised };

// The container of the screens' content blocks: a rounded surface of the control background with a
// hairline, a tinted edge and a shadow. Its content goes into `contentLayout()`, padded on every side.
class CardSurface : public QFrame {
    Q_OBJECT

public:
    static constexpr double kCornerRadius = 14;

    CardSurface(double padding, std::optional<QColor> accent, CardElevation elevation, QWidget* parent = nullptr);

    // The surface drawn into `shape` by painted widgets that hold no card of their own.
    static void paint(QPainter& painter, const QRectF& shape, ColorScheme scheme, const std::optional<QColor>& accent,
                      CardElevation elevation);

    // How far the shadow of an elevation reaches beyond the surface, for painted cards that keep that room
    // as their overflow (KitStyle::setOverflow).
    static QMargins shadowOverflow(CardElevation elevation);

    QVBoxLayout* contentLayout() const { return layout_; }
    void setAccent(std::optional<QColor> accent);
    // The surface's own rectangle, inside the room kept for its shadow.
    QRectF surfaceRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What the cached picture of the card was drawn for.
    struct Look {
        QSize size;
        double pixelRatio = 1;
        ColorScheme scheme = ColorScheme::light;
        std::optional<QRgb> accent;
        bool operator==(const Look&) const = default;
    };

    void updateMargins();

    double padding_;
    std::optional<QColor> accent_;
    const CardElevation elevation_;
    QVBoxLayout* layout_;
    QPixmap picture_;
    Look pictureLook_;
};

} // namespace zn
