#pragma once

#include "Views/Kit/Surfaces/CardSurface.h"

namespace zn {

class ActionButton;
class AppState;
class NumericTextLabel;
class StatusChip;
class StorageBreakdown;
class StorageGauge;
class TextLabel;

// The storage hero of the idle dashboard: the disk-use ring, the free space, "Scan my Mac" and the storage
// bar. Its accent, the low-space chip and the free figure turn to the warning colour above 85 percent used.
class IdleHero : public CardSurface {
    Q_OBJECT

public:
    explicit IdleHero(AppState& state, QWidget* parent = nullptr);

    void refresh();

    ActionButton& scanButton() { return *scanButton_; }
    StorageGauge& gauge() { return *gauge_; }
    StorageBreakdown& breakdown() { return *breakdown_; }
    bool showsLowSpace() const;
    QString freeText() const;
    QString freeOfText() const;

private:
    AppState& state_;
    StorageGauge* gauge_;
    TextLabel* brand_;
    StatusChip* safeFirst_;
    StatusChip* lowSpace_;
    NumericTextLabel* free_;
    TextLabel* freeOf_;
    ActionButton* scanButton_;
    StorageBreakdown* breakdown_;
};

} // namespace zn
