#pragma once

#include "Models/CleaningCategory.h"
#include "Models/CleanableItem.h"

#include <QAbstractButton>

#include <cstdint>

namespace zn {

class AppState;

// One category of the results: a check box that selects or clears all of its items at once, its tile, its
// name and number of items, and its size. The box is ticked only when every item is selected (a category
// without items counts as fully selected); the selection itself lives in the application state.
class CategoryToggleRow : public QAbstractButton {
    Q_OBJECT

public:
    CategoryToggleRow(AppState& state, const CategoryResult& result, QWidget* parent = nullptr);

    void setResult(const CategoryResult& result);
    void setShowsDivider(bool shows);
    CleaningCategory category() const { return category_; }
    bool showsDivider() const { return showsDivider_; }
    bool isAllSelected() const;
    QString itemsCountText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void toggle();

    AppState& state_;
    CleaningCategory category_;
    std::size_t itemCount_ = 0;
    std::int64_t totalSize_ = 0;
    bool showsDivider_ = false;
};

} // namespace zn
