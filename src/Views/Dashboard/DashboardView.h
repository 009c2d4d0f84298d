#pragma once

#include "Models/ScanState.h"
#include "Views/Kit/Feedback/AlertDialog.h"
#include "Views/Kit/Feedback/ConfettiView.h"

#include <QPointer>
#include <QWidget>

class QScrollArea;

namespace zn {

class AppState;
class CleanedLayout;
class CleaningLayout;
class CompletedLayout;
class IdleLayout;
class ScanningLayout;
class StateLayout;

// The Quick Clean screen: one scrolling column whose content follows the state's scan state (idle, scanning,
// completed, cleaning, cleaned), a confetti burst each time a clean that freed space ends, and the question
// before cleaning a selection that holds items to review. It starts no work of its own; it reads the
// application state and calls its operations.
class DashboardView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaximumColumnWidth = 920;

    explicit DashboardView(AppState& state, ConfettiSources confetti = ConfettiSources::live(),
                           QWidget* parent = nullptr);

    IdleLayout& idleLayout() { return *idle_; }
    ScanningLayout& scanningLayout() { return *scanning_; }
    CompletedLayout& completedLayout() { return *completed_; }
    CleaningLayout& cleaningLayout() { return *cleaning_; }
    CleanedLayout& cleanedLayout() { return *cleaned_; }
    // The layout on screen.
    StateLayout* currentLayout() const { return current_; }
    ConfettiView& confetti() { return *confetti_; }
    // The open review question, if any.
    AlertDialog* reviewDialog() const { return reviewDialog_; }

    // Asks before cleaning the selection (the completed layout's review button).
    void showReviewConfirmation();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    StateLayout* layoutFor(ScanState::Kind kind) const;
    void observeScanState();
    void scheduleRefresh();
    void refresh();

    AppState& state_;
    QScrollArea* scroll_;
    IdleLayout* idle_;
    ScanningLayout* scanning_;
    CompletedLayout* completed_;
    CleaningLayout* cleaning_;
    CleanedLayout* cleaned_;
    StateLayout* current_ = nullptr;
    ConfettiView* confetti_;
    QPointer<AlertDialog> reviewDialog_;
    bool refreshPending_ = false;
    bool lastCleanedScanState_ = false;
};

} // namespace zn
