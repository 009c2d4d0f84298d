#pragma once

#include "Views/Dashboard/StateLayout.h"

#include <cstdint>

namespace zn {

class AppState;
class CardSurface;
class BorderedButton;
class NumericTextLabel;
class SymbolEffectView;

// The dashboard after a clean: a large check mark, the space freed and "Done".
class CleanedLayout : public StateLayout {
    Q_OBJECT

public:
    explicit CleanedLayout(AppState& state, QWidget* parent = nullptr);

    void refresh() override;

    QString freedText() const;
    BorderedButton& doneButton() { return *done_; }

private:
    AppState& state_;
    CardSurface* hero_;
    SymbolEffectView* check_;
    NumericTextLabel* freed_;
    BorderedButton* done_;
};

} // namespace zn
