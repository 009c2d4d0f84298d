#pragma once

#include <QString>
#include <QWidget>

class QVBoxLayout;

namespace zn {

// One section of a settings form, as the design's grouped forms draw it: an optional title above a rounded
// group on the control background whose rows are parted by hairlines.
class FormSection : public QWidget {
    Q_OBJECT

public:
    static constexpr double kCornerRadius = 8;
    static constexpr int kRowHorizontalPadding = 12;

    explicit FormSection(const QString& title = {}, QWidget* parent = nullptr);

    // A row of the group; its content is laid out with the rows' padding.
    void addRow(QWidget* row);
    // A row with a label at the leading edge and `control` at the trailing edge; returns the row.
    QWidget* addControlRow(const QString& label, QWidget* control);
    QWidget* addControlRow(QWidget* label, QWidget* control);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRectF groupRect() const;

    QWidget* title_ = nullptr;
    QWidget* group_;
    QVBoxLayout* rows_;
};

} // namespace zn
