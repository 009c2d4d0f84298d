#pragma once

#include "Models/CleanableItem.h"
#include "Models/CleaningCategory.h"

#include "Views/Kit/Surfaces/CardSurface.h"

#include <vector>

class QVBoxLayout;

namespace zn {

class AppState;
class CategoryToggleRow;

// The results of one safety group: its title and explanation, then one toggle row per category.
class SafetyGroupCard : public CardSurface {
    Q_OBJECT

public:
    SafetyGroupCard(AppState& state, CleaningSafetyGroup group, QWidget* parent = nullptr);

    // The group's results in the order given; the card hides itself when there are none.
    void setResults(const std::vector<const CategoryResult*>& results);
    std::vector<CategoryToggleRow*> rows() const;
    CleaningSafetyGroup group() const { return group_; }

private:
    AppState& state_;
    CleaningSafetyGroup group_;
    QVBoxLayout* rows_;
};

} // namespace zn
