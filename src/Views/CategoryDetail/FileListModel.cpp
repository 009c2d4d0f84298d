#include "Views/CategoryDetail/FileListModel.h"

#include "Platform/qt/BackgroundTask.h"
#include "ViewModels/AppState.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <numeric>

namespace zn {

namespace {

// Between an item's name and its path: a line edit never holds it, so no filter matches across the two.
constexpr QChar kNameEnd = QChar(0);
// Shorter lists are searched by the main thread alone.
constexpr std::size_t kSliceLength = 10'000;

bool sameItems(const std::vector<CleanableItem>& a, const std::vector<CleanableItem>* b) {
    return b && std::equal(a.begin(), a.end(), b->begin(), b->end(),
                           [](const CleanableItem& x, const CleanableItem& y) { return x.id == y.id; });
}

} // namespace

FileListModel::FileListModel(AppState& state, QObject* parent)
    : QAbstractListModel(parent), state_(&state), items_(std::make_shared<const std::vector<CleanableItem>>()) {
    connect(&state, &AppState::selectedCleanupItemsChanged, this, &FileListModel::selectionChanged);
    connect(&state, &AppState::deselectedItemsChanged, this, &FileListModel::selectionChanged);
}

void FileListModel::setItems(const std::vector<CleanableItem>& items) {
    if (sameItems(items, preparing_ ? preparing_.get() : items_.get()))
        return;
    preparing_ = std::make_shared<const std::vector<CleanableItem>>(items);
    const std::uint64_t preparation = ++preparation_;
    runInBackground(
        this, [items = preparing_, descending = descending_] { return prepare(items, descending); },
        [this, preparation](Prepared prepared) {
            if (preparation == preparation_)
                adopt(std::move(prepared));
        });
}

FileListModel::Prepared FileListModel::prepare(std::shared_ptr<const std::vector<CleanableItem>> items,
                                               bool descending) {
    Prepared prepared{std::move(items), {}, {}, descending};
    prepared.searchTexts.reserve(prepared.items->size());
    for (const CleanableItem& item : *prepared.items)
        prepared.searchTexts.push_back(
            (QString::fromStdString(item.name) + kNameEnd + QString::fromStdString(item.path)).toCaseFolded());
    prepared.sorted = sortedPositions(*prepared.items, descending);
    return prepared;
}

std::vector<std::size_t> FileListModel::sortedPositions(const std::vector<CleanableItem>& items, bool descending) {
    std::vector<std::size_t> sorted(items.size());
    std::iota(sorted.begin(), sorted.end(), std::size_t{0});
    std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) {
        return descending ? items[a].size > items[b].size : items[a].size < items[b].size;
    });
    return sorted;
}

void FileListModel::adopt(Prepared prepared) {
    preparing_.reset();
    // The list replaced goes off the main thread, like the state's own copy of it.
    const std::size_t count = items_->size();
    destroyInBackground(std::make_pair(std::exchange(items_, std::move(prepared.items)),
                                       std::exchange(searchTexts_, std::move(prepared.searchTexts))),
                        count);
    // The order may have been changed while the items were prepared.
    sorted_ = prepared.descending == descending_ ? std::move(prepared.sorted) : sortedPositions(*items_, descending_);
    showMatching(sorted_);
}

void FileListModel::setSortDescending(bool descending) {
    if (descending == descending_)
        return;
    descending_ = descending;
    sorted_ = sortedPositions(*items_, descending_);
    showMatching(sorted_);
}

void FileListModel::setFilterText(const QString& text) {
    if (text == filter_)
        return;
    const QString folded = text.toCaseFolded();
    // Whatever holds the longer text holds the shorter one inside it: only the rows shown can still match.
    const bool narrows = !foldedFilter_.isEmpty() && folded.contains(foldedFilter_);
    filter_ = text;
    foldedFilter_ = folded;
    showMatching(narrows ? std::vector<std::size_t>(rows_) : sorted_);
}

const CleanableItem& FileListModel::itemAt(int row) const {
    return (*items_)[rows_[static_cast<std::size_t>(row)]];
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
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(itemAt(index.row()).name);
    case Qt::ToolTipRole:
        return QString::fromStdString(itemAt(index.row()).path);
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

void FileListModel::showMatching(const std::vector<std::size_t>& candidates) {
    beginResetModel();
    rows_ = foldedFilter_.isEmpty() ? candidates : matching(candidates);
    endResetModel();
}

std::vector<std::size_t> FileListModel::matching(const std::vector<std::size_t>& candidates) const {
    // A hundred thousand texts take a single thread tens of milliseconds: long lists are searched in
    // slices side by side, and the slices' matches joined in order.
    const std::size_t slices = candidates.size() < kSliceLength ? 1 : std::max(1, QThread::idealThreadCount());
    struct Slice {
        std::size_t begin;
        std::size_t end;
        std::vector<std::size_t> matches;
    };
    std::vector<Slice> parts;
    for (std::size_t index = 0; index < slices; ++index)
        parts.push_back({candidates.size() * index / slices, candidates.size() * (index + 1) / slices, {}});
    const auto search = [&](Slice& slice) {
        for (std::size_t index = slice.begin; index < slice.end; ++index)
            if (searchTexts_[candidates[index]].contains(foldedFilter_))
                slice.matches.push_back(candidates[index]);
    };
    if (parts.size() == 1)
        search(parts.front());
    else
        QtConcurrent::blockingMap(parts, search);
    std::vector<std::size_t> rows;
    for (const Slice& slice : parts)
        rows.insert(rows.end(), slice.matches.begin(), slice.matches.end());
    return rows;
}

} // namespace zn
