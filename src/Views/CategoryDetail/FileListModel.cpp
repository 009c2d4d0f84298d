#include "Views/CategoryDetail/FileListModel.h"

#include "Platform/qt/BackgroundTask.h"
#include "ViewModels/AppState.h"
#include "Views/Kit/Theme/DisplayText.h"

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

bool sameItems(const std::vector<CleanableItem>& a, const std::vector<CleanableItem>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const CleanableItem& x, const CleanableItem& y) { return x.id == y.id; });
}

} // namespace

FileListModel::FileListModel(AppState& state, QObject* parent)
    : QAbstractListModel(parent), state_(&state), items_(std::make_shared<const std::vector<CleanableItem>>()) {
    connect(&state, &AppState::selectedCleanupItemsChanged, this, &FileListModel::selectionChanged);
    connect(&state, &AppState::deselectedItemsChanged, this, &FileListModel::selectionChanged);
}

void FileListModel::setItems(std::shared_ptr<const std::vector<CleanableItem>> items) {
    if (!items)
        items = std::make_shared<const std::vector<CleanableItem>>();
    if (items == (preparing_ ? preparing_ : items_))
        return;
    preparing_ = items;
    const std::uint64_t preparation = ++preparation_;
    runInBackground(
        this,
        [items = std::move(items), shown = items_, descending = descending_, filter = foldedFilter_] {
            return prepare(items, shown, descending, filter);
        },
        [this, preparation](Prepared prepared) {
            if (preparation == preparation_) {
                adopt(std::move(prepared));
                return;
            }
            // Overtaken by a newer one: what it holds is freed off the main thread too.
            const std::size_t count = prepared.items->size();
            destroyInBackground(std::move(prepared), count);
        });
}

FileListModel::Prepared FileListModel::prepare(std::shared_ptr<const std::vector<CleanableItem>> items,
                                               std::shared_ptr<const std::vector<CleanableItem>> shown,
                                               bool descending, const QString& foldedFilter) {
    Prepared prepared{std::move(items), false, {}, {}, {}, descending, foldedFilter};
    if (sameItems(*prepared.items, *shown)) {
        prepared.sameAsShown = true;
        return prepared;
    }
    prepared.searchTexts.reserve(prepared.items->size());
    for (const CleanableItem& item : *prepared.items)
        prepared.searchTexts.push_back(
            (QString::fromStdString(item.name) + kNameEnd + QString::fromStdString(item.path)).toCaseFolded());
    prepared.sorted = sortedPositions(*prepared.items, descending);
    prepared.rows = foldedFilter.isEmpty() ? prepared.sorted
                                           : matching(prepared.searchTexts, prepared.sorted, foldedFilter);
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
    const std::size_t count = items_->size();
    if (prepared.sameAsShown) {
        // The rows stay; the items they point at are the new result's.
        destroyInBackground(std::exchange(items_, std::move(prepared.items)), count);
        return;
    }
    // The order or the filter may have been changed while the items were prepared.
    const bool reordered = prepared.descending != descending_;
    if (reordered)
        prepared.sorted = sortedPositions(*prepared.items, descending_);
    if (reordered || prepared.foldedFilter != foldedFilter_)
        prepared.rows = foldedFilter_.isEmpty()
                            ? prepared.sorted
                            : matching(prepared.searchTexts, prepared.sorted, foldedFilter_);
    beginResetModel();
    // What is replaced goes off the main thread, like the state's own copy of it.
    destroyInBackground(std::make_tuple(std::exchange(items_, std::move(prepared.items)),
                                        std::exchange(searchTexts_, std::move(prepared.searchTexts)),
                                        std::exchange(sorted_, std::move(prepared.sorted)),
                                        std::exchange(rows_, std::move(prepared.rows))),
                        count);
    endResetModel();
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
        return shownText(itemAt(index.row()).name);
    case Qt::ToolTipRole:
        return shownText(itemAt(index.row()).path);
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
    rows_ = foldedFilter_.isEmpty() ? candidates : matching(searchTexts_, candidates, foldedFilter_);
    endResetModel();
}

std::vector<std::size_t> FileListModel::matching(const std::vector<QString>& searchTexts,
                                                 const std::vector<std::size_t>& candidates,
                                                 const QString& foldedFilter) {
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
            if (searchTexts[candidates[index]].contains(foldedFilter))
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
