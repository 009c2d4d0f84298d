#include "Views/Dashboard/IdleLayout.h"

#include "ViewModels/AppState.h"
#include "Views/Dashboard/DashboardColumn.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/IdleHero.h"
#include "Views/Dashboard/RowList.h"
#include "Views/Dashboard/StatCard.h"
#include "Views/Dashboard/SuggestionRow.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace zn {

namespace {
const QString kNoFigure = QStringLiteral("—");
} // namespace

IdleLayout::IdleLayout(AppState& state, QWidget* parent)
    : StateLayout(parent), state_(state), hero_(new IdleHero(state)),
      stats_{
          new StatCard(std::string("internaldrive.fill"), schemeAccent,
                       QStringLiteral("Free Space")),
          new StatCard(std::nullopt, qColor(Tint::green), QStringLiteral("Can Clean")),
          new StatCard(std::string("square.grid.2x2.fill"), tintByScheme(Tint::darkBlue, Tint::blue),
                       QStringLiteral("Apps")),
          new StatCard(std::string("memorychip.fill"), qColor(Tint::green), QStringLiteral("Mac-managed"))},
      suggestionsHeader_(makeSectionHeader(QStringLiteral("Suggested for you"))),
      suggestions_(new QVBoxLayout) {
    auto* column = makeStateColumn(*this);
    column->addWidget(hero_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(12);
    for (int index = 0; index < static_cast<int>(stats_.size()); ++index) {
        grid->addWidget(stats_[static_cast<std::size_t>(index)], 0, index);
        grid->setColumnStretch(index, 1);
    }
    column->addLayout(grid);

    column->addWidget(suggestionsHeader_);
    suggestions_->setSpacing(10);
    column->addLayout(suggestions_);
}

void IdleLayout::refresh() {
    hero_->refresh();
    refreshStats();
    refreshSuggestions();
}

void IdleLayout::refreshStats() {
    const DiskInfo& disk = state_.diskInfo();
    stats_[0]->setValue(bytesText(disk.freeSpace));
    stats_[0]->setDelta(disk.totalSpace > 0 ? std::optional(dashboard::freeSpaceDelta(
                                                  disk.totalSpace, dashboard::percentNotFree(disk)))
                                            : std::nullopt);

    const std::int64_t found = state_.totalJunkSize();
    stats_[1]->setValue(found > 0 ? bytesText(found) : kNoFigure);
    const std::size_t categories = state_.shownResults().size();
    stats_[1]->setDelta(categories > 0 ? dashboard::acrossCategoriesText(categories)
                                       : QStringLiteral("Start with a scan"));

    stats_[2]->setValue(QString::number(state_.installedApps().size()));
    stats_[2]->setDelta(QStringLiteral("installed"));

    stats_[3]->setValue(disk.purgeableSpace > 0 ? bytesText(disk.purgeableSpace) : kNoFigure);
    stats_[3]->setDelta(QStringLiteral("your Mac can free this later"));
}

void IdleLayout::refreshSuggestions() {
    std::vector<Suggestion> wanted = suggestionsFor(state_);
    suggestionsHeader_->setVisible(!wanted.empty());
    keepRowCount(*suggestions_, wanted.size(), [&] { return new SuggestionRow(wanted.front()); });
    for (std::size_t index = 0; index < wanted.size(); ++index)
        rowAt<SuggestionRow>(*suggestions_, index)->setSuggestion(std::move(wanted[index]));
}

std::vector<SuggestionRow*> IdleLayout::suggestionRows() const {
    return allRows<SuggestionRow>(*suggestions_);
}

bool IdleLayout::showsSuggestionsHeader() const {
    return !suggestionsHeader_->isHidden();
}

} // namespace zn
