#pragma once

#include <QWidget>

#include <cstdint>

namespace zn {

class AppState;
class CardSurface;
class BorderedButton;
class NumericTextLabel;
class SymbolEffectView;

// The dashboard after a clean: a large check mark, the space freed and "Done".
class CleanedLayout : public QWidget {
    Q_OBJECT

public:
    explicit CleanedLayout(AppState& state, QWidget* parent = nullptr);

    void refresh();

    QString freedText() const;
    BorderedButton& doneButton() { return *done_; }

protected:
    // Shown again later, it starts afresh: only changes while it is on screen bounce its symbol.
    void hideEvent(QHideEvent* event) override;

private:
    AppState& state_;
    CardSurface* hero_;
    SymbolEffectView* check_;
    NumericTextLabel* freed_;
    BorderedButton* done_;
    std::int64_t lastFreed_ = -1;
};

} // namespace zn
