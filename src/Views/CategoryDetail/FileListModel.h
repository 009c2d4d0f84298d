#pragma once

#include "Models/CleanableItem.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QString>

#include <vector>

namespace zn {

class AppState;

// The items of one category's result in the order the screen shows them: sorted by size (stable, so
// equal sizes keep the result's order) and filtered by name or path. Whether a row is ticked is read
// from the state at every paint; a change of selection repaints the rows in place and never rebuilds them.
class FileListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit FileListModel(AppState& state, QObject* parent = nullptr);

    // The result's items in their stored order. Rebuilds the rows only when the items differ.
    void setItems(std::vector<CleanableItem> items);
    void setSortDescending(bool descending);
    void setFilterText(const QString& text);

    const CleanableItem& itemAt(int row) const;
    bool isSelected(int row) const;
    // One click on a row's box: exactly one change of the item's selection.
    void toggle(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void selectionChanged();
    void rebuildRows();
    bool matchesFilter(std::size_t position) const;

    QPointer<AppState> state_;
    std::vector<CleanableItem> items_;
    std::vector<QString> names_;
    std::vector<QString> paths_;
    // Positions in `items_`, in the order shown.
    std::vector<std::size_t> rows_;
    bool descending_ = true;
    QString filter_;
};

} // namespace zn
