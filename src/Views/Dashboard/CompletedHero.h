#pragma once

#include "Views/Kit/Surfaces/CardSurface.h"

class QSpacerItem;

namespace zn {

class ActionButton;
class AppState;
class NumericTextLabel;
class SymbolEffectView;
class TextLabel;

// The dashboard after a scan: what was found, "Scan Again", and the button that cleans the selection at
// once or, when it holds items to review first, asks first. Nothing found shows the spotless card instead.
class CompletedHero : public CardSurface {
    Q_OBJECT

public:
    explicit CompletedHero(AppState& state, QWidget* parent = nullptr);

    void refresh();

    bool showsSpotless() const;
    ActionButton& scanAgainButton() { return *scanAgain_; }
    // Present only while the selection holds at least one byte.
    ActionButton& cleanButton() { return *clean_; }
    QString foundText() const;
    QString foundNote() const;
    QString selectionNote() const;

signals:
    // The selection holds items to review: the dashboard asks before cleaning.
    void reviewRequested();

private:
    void cleanPressed();
    void alignTopRowBaselines(bool spotless);

    AppState& state_;
    QWidget* spotless_;
    SymbolEffectView* seal_;
    QWidget* found_;
    NumericTextLabel* foundBytes_;
    TextLabel* foundNote_;
    TextLabel* spotlessTitle_;
    ActionButton* scanAgain_;
    QSpacerItem* scanAgainLift_;
    ActionButton* clean_;
    TextLabel* selectionNote_;
};

} // namespace zn
