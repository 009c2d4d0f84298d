#pragma once

#include <QBoxLayout>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <vector>

namespace zn {

// Lists of rows that are refilled in place: only a change in their number adds or removes rows, so a row
// under the pointer keeps its state while its content changes.
void keepRowCount(QBoxLayout& rows, std::size_t count, const std::function<QWidget*()>& makeRow);

template <typename Row> Row* rowAt(const QBoxLayout& rows, std::size_t index) {
    return static_cast<Row*>(rows.itemAt(static_cast<int>(index))->widget());
}

template <typename Row> std::vector<Row*> allRows(const QBoxLayout& rows) {
    std::vector<Row*> all;
    for (int index = 0; index < rows.count(); ++index)
        all.push_back(static_cast<Row*>(rows.itemAt(index)->widget()));
    return all;
}

} // namespace zn
