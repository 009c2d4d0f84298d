#pragma once

#include "Models/CleanableItem.h"
#include "Models/CleaningCategory.h"
#include "Views/Kit/Surfaces/CardSurface.h"

namespace zn {

class ActionButton;
class CategoryIconTile;
class TextLabel;

// The card at the top of a category's screen: its tile, name and explanation, once scanned the number of
// items and their size, and Rescan.
class CategoryHeroCard : public CardSurface {
    Q_OBJECT

public:
    explicit CategoryHeroCard(CleaningCategory category, QWidget* parent = nullptr);

    void setCategory(CleaningCategory category);
    // `result` is none before the category's first scan.
    void showResult(const CategoryResult* result, bool busy);

    const TextLabel& title() const { return *title_; }
    const TextLabel& descriptionLine() const { return *description_; }
    const TextLabel& countLine() const { return *countLine_; }
    ActionButton& rescanButton() const { return *rescan_; }

signals:
    void rescanPressed();

private:
    CategoryIconTile* tile_;
    TextLabel* title_;
    TextLabel* description_;
    TextLabel* countLine_;
    ActionButton* rescan_;
};

} // namespace zn
