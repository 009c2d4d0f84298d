#include "Views/CategoryDetail/FileListModel.h"

#include "ViewModels/AppState.h"

#include <algorithm>
#include <numeric>

namespace zn {

FileListModel::FileListModel(AppState& state, QObject* parent) : QAbstractListModel(parent), state_(&state) {
    connect(&state, &AppState::selectedCleanupItemsChanged, this, &FileListModel::selectionChanged);
    connect(&state, &AppState::deselectedItemsChanged, this, &FileListModel::selectionChanged);
}

void FileListModel::setItems(std::vector<CleanableItem> items) {
    const bool same = std::equal(items.begin(), items.end(), items_.begin(), items_.end(),
                                 [](const CleanableItem& a, const CleanableItem& b) { return a.id == b.id; });
    if (same)
        return;
    items_ = std::move(items);
    names_.clear();
    paths_.clear();
    names_.reserve(items_.size());
    paths_.reserve(items_.size());
    for (const CleanableItem& item : items_) {
        names_.push_back(QString::fromStdString(item.name));
        paths_.push_back(QString::fromStdString(item.path));
    }
    rebuildRows();
}

void FileListModel::setSortDescending(bool descending) {
    if (descending == descending_)
        return;
    descending_ = descending;
    rebuildRows();
}

void FileListModel::setFilterText(const QString& text) {
    if (text == filter_)
        return;
    filter_ = text;
    rebuildRows();
}

const CleanableItem& FileListModel::itemAt(int row) const {
    return items_[rows_[static_cast<std::size_t>(row)]];
}

bool FileListModel::isSelected(int row) const {
    return state_ && state_->isItemSelected(itemAt(row));
}

void FileListModel::toggle(int row) {
    if (state_ && row >= 0 && row < rowCount())
        state_->toggleItem(itemAt(row));
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const std::size_t position = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return names_[position];
    case Qt::ToolTipRole:
        return paths_[position];
    case Qt::CheckStateRole:
        return isSelected(index.row()) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

void FileListModel::selectionChanged() {
    if (!rows_.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
}

void FileListModel::rebuildRows() {
    beginResetModel();
    std::vector<std::size_t> order(items_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return descending_ ? items_[a].size > items_[b].size : items_[a].size < items_[b].size;
    });
    rows_.clear();
    for (const std::size_t position : order)
        if (matchesFilter(position))
            rows_.push_back(position);
    endResetModel();
}

bool FileListModel::matchesFilter(std::size_t position) const {
    return filter_.isEmpty() || names_[position].contains(filter_, Qt::CaseInsensitive) ||
           paths_[position].contains(filter_, Qt::CaseInsensitive);
}

} // namespace zn
