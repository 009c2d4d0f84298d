#pragma once

#include "Views/Dashboard/StateLayout.h"

#include <array>
#include <vector>

class QVBoxLayout;

namespace zn {

class AppState;
class IdleHero;
class StatCard;
class SuggestionRow;
class TextLabel;

// What the dashboard shows between runs: the storage hero, four statistics and the suggestions.
class IdleLayout : public StateLayout {
    Q_OBJECT

public:
    explicit IdleLayout(AppState& state, QWidget* parent = nullptr);

    void refresh() override;

    IdleHero& hero() { return *hero_; }
    StatCard& statCard(std::size_t index) { return *stats_[index]; }
    // The suggestion rows shown, in order.
    std::vector<SuggestionRow*> suggestionRows() const;
    bool showsSuggestionsHeader() const;

private:
    void refreshStats();
    void refreshSuggestions();

    AppState& state_;
    IdleHero* hero_;
    std::array<StatCard*, 4> stats_;
    TextLabel* suggestionsHeader_;
    QVBoxLayout* suggestions_;
};

} // namespace zn
