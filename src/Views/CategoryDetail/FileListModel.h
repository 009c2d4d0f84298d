#pragma once

#include "Models/CleanableItem.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace zn {

class AppState;

// The items of one category's result in the order the screen shows them: sorted by size (stable, so
// equal sizes keep the result's order) and filtered by name or path. Whether a row is ticked is read
// from the state at every paint; a change of selection repaints the rows in place and never rebuilds them.
// A new result is shared with the state, never copied, and its rows are prepared off the main thread (a
// hundred thousand items take a tenth of a second): search texts, sort and filter; the main thread only
// swaps them in. The rows shown until then are the previous result's, and a preparation overtaken by a
// newer one is dropped. The sort is made once per result and order; a filter that only grows narrows the
// rows it already has.
class FileListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit FileListModel(AppState& state, QObject* parent = nullptr);

    // The result's items in their stored order (none: no items). Rebuilds the rows only when the items
    // differ, once they are prepared.
    void setItems(std::shared_ptr<const std::vector<CleanableItem>> items);
    // Items given are still being prepared.
    bool isPreparing() const { return static_cast<bool>(preparing_); }
    void setSortDescending(bool descending);
    void setFilterText(const QString& text);
    const QString& filterText() const { return filter_; }

    const CleanableItem& itemAt(int row) const;
    bool isSelected(int row) const;
    // One click on a row's box: exactly one change of the item's selection.
    void toggle(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Prepared {
        std::shared_ptr<const std::vector<CleanableItem>> items;
        // The same items as those shown, one for one: only the pointer is swapped.
        bool sameAsShown = false;
        std::vector<QString> searchTexts;
        std::vector<std::size_t> sorted;
        std::vector<std::size_t> rows;
        bool descending = true;
        QString foldedFilter;
    };
    static Prepared prepare(std::shared_ptr<const std::vector<CleanableItem>> items,
                            std::shared_ptr<const std::vector<CleanableItem>> shown, bool descending,
                            const QString& foldedFilter);
    static std::vector<std::size_t> sortedPositions(const std::vector<CleanableItem>& items, bool descending);
    static std::vector<std::size_t> matching(const std::vector<QString>& searchTexts,
                                             const std::vector<std::size_t>& candidates,
                                             const QString& foldedFilter);

    void adopt(Prepared prepared);
    void selectionChanged();
    // Keeps, of `candidates` (positions in sort order), those that match the filter, as the rows shown.
    void showMatching(const std::vector<std::size_t>& candidates);

    QPointer<AppState> state_;
    // The items given last, while they are prepared.
    std::shared_ptr<const std::vector<CleanableItem>> preparing_;
    std::uint64_t preparation_ = 0;
    std::shared_ptr<const std::vector<CleanableItem>> items_;
    // Each item's name and path, case-folded, with a character between them that no typed filter holds:
    // one search per item, made on text folded once.
    std::vector<QString> searchTexts_;
    // Positions in `items_`, sorted by size.
    std::vector<std::size_t> sorted_;
    // Positions in `items_`, in the order shown.
    std::vector<std::size_t> rows_;
    bool descending_ = true;
    QString filter_;
    QString foldedFilter_;
};

} // namespace zn
