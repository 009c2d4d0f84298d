#pragma once

#include <QWidget>

#include <cstdint>

class QAction;
class QMenu;

namespace zn {

class ActionButton;
class SymbolView;
class TextLabel;

// The bar above a category's files: what is selected, select all, the size order and Clean.
class CategorySelectionBar : public QWidget {
    Q_OBJECT

public:
    struct Numbers {
        std::int64_t selectedCount = 0;
        std::int64_t itemCount = 0;
        std::int64_t selectedSize = 0;
    };

    explicit CategorySelectionBar(QWidget* parent = nullptr);

    void showNumbers(const Numbers& numbers, bool needsReview, bool busy);
    void setSortDescending(bool descending);
    // Every item selected (and at least one): the select-all button then clears the selection.
    bool allSelected() const { return allSelected_; }

    const SymbolView& statusSymbol() const { return *statusSymbol_; }
    const TextLabel& summary() const { return *summary_; }
    const TextLabel& sizeSummary() const { return *sizeSummary_; }
    ActionButton& selectAllButton() const { return *selectAll_; }
    ActionButton& sortButton() const { return *sort_; }
    ActionButton& cleanButton() const { return *clean_; }
    QAction& largestFirstAction() const { return *largestFirst_; }
    QAction& smallestFirstAction() const { return *smallestFirst_; }

signals:
    void selectAllPressed();
    void sortChosen(bool descending);
    void cleanPressed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SymbolView* statusSymbol_;
    TextLabel* summary_;
    TextLabel* sizeSummary_;
    ActionButton* selectAll_;
    ActionButton* sort_;
    ActionButton* clean_;
    QMenu* sortMenu_;
    QAction* largestFirst_;
    QAction* smallestFirst_;
    bool allSelected_ = false;
};

} // namespace zn
