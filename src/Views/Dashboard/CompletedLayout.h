#pragma once

#include "Views/Dashboard/StateLayout.h"

#include <array>

namespace zn {

class AppState;
class CompletedHero;
class SafetyGroupCard;
class TextLabel;

// The dashboard after a scan: the completed hero, then what was found by safety group.
class CompletedLayout : public StateLayout {
    Q_OBJECT

public:
    explicit CompletedLayout(AppState& state, QWidget* parent = nullptr);

    void refresh() override;

    CompletedHero& hero() { return *hero_; }
    SafetyGroupCard& groupCard(std::size_t index) { return *groups_[index]; }
    bool showsResults() const;

private:
    AppState& state_;
    CompletedHero* hero_;
    TextLabel* header_;
    std::array<SafetyGroupCard*, 3> groups_;
};

} // namespace zn
