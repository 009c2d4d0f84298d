#pragma once

#include <QWidget>

#include <vector>

namespace zn {

// A column of rows of one height, stacked inside a margin and as wide as the column. Rows are placed by hand:
// a box layout would set the geometry of every row each time one is added, which a list of a thousand rows
// cannot afford several times a second.
class RowColumn : public QWidget {
    Q_OBJECT

public:
    RowColumn(int rowHeight, int margin, QWidget* parent = nullptr);

    // The rows, top to bottom; each is shown in its place. Rows left out are neither hidden nor deleted.
    void setRows(std::vector<QWidget*> rows);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect place(std::size_t index) const;

    int rowHeight_;
    int margin_;
    std::vector<QWidget*> rows_;
};

} // namespace zn
