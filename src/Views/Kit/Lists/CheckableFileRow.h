#pragma once

#include "Views/Kit/Motion/AnimatedValue.h"

#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>

class QHBoxLayout;

namespace zn {

// One file of a removal list: a check box, the file's icon, its name over its full path (shortened in the
// middle), and its size when known. The whole row toggles the check box. Buttons added as hover accessories
// fade in before the size while the pointer is over the row, which is then softly highlighted, and fade out
// when it leaves.
class CheckableFileRow : public QWidget {
    Q_OBJECT

public:
    // Every row is this tall, whatever its text.
    static constexpr int fixedHeight = 44;

    explicit CheckableFileRow(std::string path, QWidget* parent = nullptr);

    const std::string& path() const { return path_; }
    bool isChecked() const { return checked_; }
    void setChecked(bool checked);
    // A row that cannot be toggled (a removal runs) shows its check box dimmed.
    void setCheckEnabled(bool enabled);
    bool isCheckEnabled() const { return checkEnabled_; }
    void setSize(std::optional<std::int64_t> size);
    const std::optional<std::int64_t>& size() const { return size_; }
    // Without an icon of its own, a folder shows the folder glyph; the row is a file's until told.
    void setFolder(bool folder);
    void addHoverAccessory(QWidget* accessory);

    // The user's own click, or a test's.
    void toggle();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void toggled(bool checked);
    void contextMenuRequested(const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setHovering(bool hovering);
    void fadeAccessories();
    QRectF textFrame() const;

    std::string path_;
    QString name_;
    QString fullPath_;
    bool isFolder_ = false;
    bool checked_ = false;
    bool checkEnabled_ = true;
    bool hovering_ = false;
    std::optional<std::int64_t> size_;
    QString sizeText_;
    QHBoxLayout* accessories_;
    // How far the pointer's arrival has gone, 0 to 1: the highlight and the accessories' opacity follow it.
    AnimatedValue hover_;
};

} // namespace zn
