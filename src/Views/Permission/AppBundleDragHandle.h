#pragma once

#include "Platform/qt/ApplicationFile.h"

#include <QIcon>
#include <QWidget>

#include <functional>
#include <memory>

class QMimeData;

namespace zn {

class AnimatedValue;

// The program's own icon on a tile that can be dragged out of the window: the drag carries the program as
// a file (its launcher when one is installed, else its executable), so file managers, docks and access
// lists take it. Under the pointer the fill brightens, the dashed border turns solid and the icon grows a
// little with a deeper shadow.
// Also used by the onboarding's access page.
class AppBundleDragHandle : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Zelva Nexal.app";
    static constexpr double kTileSide = 84;
    static constexpr double kIconSide = 56;
    static constexpr int kHoverMs = 180;
    // The unhovered tile's dashed border, in points.
    static constexpr double kDashedLineWidth = 0.5;

    // `iconLookup` is asked at every paint; a null icon shows the "app.fill" symbol instead.
    explicit AppBundleDragHandle(ApplicationFileSearch search = ApplicationFileSearch::thisProgram(),
                                 std::function<QIcon()> iconLookup = programIcon, QWidget* parent = nullptr);

    // The icon the desktop shows for this program (the application's window icon).
    static QIcon programIcon();
    // What a drag carries: the program's file as its one URL.
    static std::unique_ptr<QMimeData> dragPayload(const ApplicationFileSearch& search);

    bool hovering() const { return hovering_; }
    // 0 unhovered .. 1 hovered, as drawn now.
    double hoverProgress() const;
    // The tile's square inside the widget.
    QRectF tileRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setHovering(bool hovering);
    void paintTile(QPainter& painter, double hover) const;
    void paintIcon(QPainter& painter, double hover) const;
    void paintCaption(QPainter& painter) const;

    ApplicationFileSearch search_;
    std::function<QIcon()> iconLookup_;
    bool hovering_ = false;
    AnimatedValue* hover_;
    QPoint pressPosition_;
    bool pressed_ = false;
};

} // namespace zn
