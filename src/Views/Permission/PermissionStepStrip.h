#pragma once

#include <QString>
#include <QWidget>

#include <array>

namespace zn {

// The three numbered steps of a grant ("Find Zelva Nexal", "Turn it on", "Done") side by side on one
// rounded strip; the cells share its width and captions wrap to at most two lines.
class PermissionStepStrip : public QWidget {
    Q_OBJECT

public:
    struct Step {
        QString title;
        QString caption;
    };

    explicit PermissionStepStrip(QWidget* parent = nullptr);

    static const std::array<Step, 3>& steps();

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintCell(QPainter& painter, const QRectF& cell, int number, const Step& step) const;
};

} // namespace zn
