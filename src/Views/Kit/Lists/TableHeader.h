#pragma once

#include <QHeaderView>

namespace zn {

// A table's column headers as the desktop the design comes from draws them: small secondary-coloured
// titles on the control background, hairlines between the columns and under the row, and a chevron on the
// sorted column.
class TableHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit TableHeader(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zn
