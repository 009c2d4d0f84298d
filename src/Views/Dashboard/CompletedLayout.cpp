#include "Views/Dashboard/CompletedLayout.h"

#include "ViewModels/AppState.h"
#include "Views/Dashboard/CompletedHero.h"
#include "Views/Dashboard/DashboardColumn.h"
#include "Views/Dashboard/SafetyGroupCard.h"
#include "Views/Kit/Labels/TextLabel.h"

#include <QVBoxLayout>

namespace zn {

CompletedLayout::CompletedLayout(AppState& state, QWidget* parent)
    : StateLayout(parent), state_(state), hero_(new CompletedHero(state)),
      header_(makeSectionHeader(QStringLiteral("By category"))),
      groups_{new SafetyGroupCard(state, CleaningSafetyGroup::safeToClean),
              new SafetyGroupCard(state, CleaningSafetyGroup::reviewFirst),
              new SafetyGroupCard(state, CleaningSafetyGroup::advanced)} {
    auto* layout = makeStateColumn(*this);
    layout->addWidget(hero_);
    layout->addWidget(header_);
    auto* cards = new QVBoxLayout;
    cards->setSpacing(12);
    for (SafetyGroupCard* card : groups_)
        cards->addWidget(card);
    layout->addLayout(cards);
}

void CompletedLayout::refresh() {
    hero_->refresh();
    const bool showsResults = state_.totalJunkSize() >= 1;
    header_->setVisible(showsResults);
    const std::vector<const CategoryResult*> results =
        showsResults ? state_.shownResults() : std::vector<const CategoryResult*>{};
    for (SafetyGroupCard* card : groups_) {
        std::vector<const CategoryResult*> ofGroup;
        for (const CategoryResult* result : results)
            if (safetyGroup(result->category) == card->group())
                ofGroup.push_back(result);
        card->setResults(ofGroup);
    }
}

bool CompletedLayout::showsResults() const {
    return !header_->isHidden();
}

} // namespace zn
