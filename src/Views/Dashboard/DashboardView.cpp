#include "Views/Dashboard/DashboardView.h"

#include "Models/Brand.h"
#include "ViewModels/AppState.h"
#include "Views/CategoryDetail/CategoryDetailTexts.h"
#include "Views/Dashboard/CleanedLayout.h"
#include "Views/Dashboard/CleaningLayout.h"
#include "Views/Dashboard/CompletedHero.h"
#include "Views/Dashboard/CompletedLayout.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/IdleLayout.h"
#include "Views/Dashboard/ScanningLayout.h"
#include "Views/Kit/Surfaces/AppBackdrop.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zn {

DashboardView::DashboardView(AppState& state, ConfettiSources confetti, QWidget* parent)
    : QWidget(parent), state_(state), scroll_(new QScrollArea(this)), idle_(new IdleLayout(state)),
      scanning_(new ScanningLayout(state)), completed_(new CompletedLayout(state)),
      cleaning_(new CleaningLayout(state)), cleaned_(new CleanedLayout(state)),
      confetti_(new ConfettiView(std::move(confetti), this)) {
    // The dashboard has no title of its own: the window's, the product's name, stands over it.
    setWindowTitle(QString::fromUtf8(Brand::name));
    auto* column = new QWidget;
    column->setMaximumWidth(kMaximumColumnWidth);
    auto* layouts = new QVBoxLayout(column);
    // Cards draw their shadows outside the rectangles their layouts give them, and a layout keeps each child
    // within its parent: every state's layout keeps room for the deepest shadow around its cards.
    const QMargins shadowRoom = CardSurface::shadowOverflow(CardElevation::raised);
    layouts->setContentsMargins(QMargins(28, 24, 28, 24) - shadowRoom);
    layouts->setSpacing(0);
    for (StateLayout* layout :
         std::initializer_list<StateLayout*>{idle_, scanning_, completed_, cleaning_, cleaned_}) {
        layout->hide();
        layouts->addWidget(layout);
    }
    layouts->addStretch(1);

    auto* content = new AppBackdrop;
    auto* leading = new QHBoxLayout(content);
    leading->setContentsMargins(0, 0, 0, 0);
    leading->addWidget(column, 1);
    leading->addStretch(0);
    scroll_->setWidget(content);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(scroll_);

    connect(&completed_->hero(), &CompletedHero::reviewRequested, this,
            &DashboardView::showReviewConfirmation);
    // Every change of the scan state is seen, also those the next refresh would fold together.
    connect(&state_, &AppState::scanStateChanged, this, &DashboardView::observeScanState);
    for (auto signal :
         {&AppState::scanStateChanged, &AppState::categoryResultsChanged, &AppState::diskInfoChanged,
          &AppState::totalJunkSizeChanged, &AppState::totalFreedSpaceChanged, &AppState::scanProgressChanged,
          &AppState::cleanProgressChanged, &AppState::currentScanCategoryChanged,
          &AppState::selectedCleanupItemsChanged, &AppState::deselectedItemsChanged,
          &AppState::hasFullDiskAccessChanged, &AppState::installedAppsChanged})
        connect(&state_, signal, this, &DashboardView::scheduleRefresh);
    refresh();
}

void DashboardView::observeScanState() {
    // The overlay keeps the trigger and bursts when it turns true.
    const bool cleaned = state_.scanState().kind() == ScanState::Kind::cleaned;
    if (cleaned && !lastCleanedScanState_ && state_.totalFreedSpace() > 0)
        confetti_->setTrigger(true);
    if (!cleaned)
        confetti_->setTrigger(false);
    lastCleanedScanState_ = cleaned;
}

void DashboardView::scheduleRefresh() {
    // Changes arrive in bursts (a scan step publishes several values): one refresh follows them all.
    if (std::exchange(refreshPending_, true))
        return;
    QMetaObject::invokeMethod(this, &DashboardView::refresh, Qt::QueuedConnection);
}

StateLayout* DashboardView::layoutFor(ScanState::Kind kind) const {
    switch (kind) {
    case ScanState::Kind::scanning:
        return scanning_;
    case ScanState::Kind::completed:
        return completed_;
    case ScanState::Kind::cleaning:
        return cleaning_;
    case ScanState::Kind::cleaned:
        return cleaned_;
    case ScanState::Kind::idle:
        break;
    }
    return idle_;
}

void DashboardView::refresh() {
    refreshPending_ = false;
    StateLayout* wanted = layoutFor(state_.scanState().kind());
    wanted->refresh();
    if (wanted != current_) {
        if (current_)
            current_->hide();
        wanted->show();
        current_ = wanted;
    }
}

void DashboardView::showReviewConfirmation() {
    if (reviewDialog_)
        return;
    const std::int64_t selected = state_.selectedSizeToClean();
    reviewDialog_ = new AlertDialog(
        cleanConfirmationTitle(selected),
        QStringLiteral(
            "Some selected items may be personal or tied to coding tools. Review them before cleaning."),
        this);
    reviewDialog_->setAttribute(Qt::WA_DeleteOnClose);
    reviewDialog_->setWindowModality(Qt::WindowModal);
    reviewDialog_->addButton(QStringLiteral("Clean selected items"), AlertDialog::Role::destructive);
    reviewDialog_->addButton(QStringLiteral("Cancel"), AlertDialog::Role::cancel);
    // Only the destructive button accepts; Cancel and Escape leave everything as it is.
    connect(reviewDialog_, &QDialog::accepted, this, [this] { state_.cleanAll(); });
    // The question names one selection. When that changes while it is open (a scan started from the tray, a
    // scheduled run refilling the results), it goes away unanswered: "Clean selected items" would otherwise
    // clean what the user was never shown.
    AlertDialog* dialog = reviewDialog_;
    for (auto signal : {&AppState::scanStateChanged, &AppState::categoryResultsChanged,
                        &AppState::selectedCleanupItemsChanged, &AppState::deselectedItemsChanged})
        connect(&state_, signal, dialog, [dialog] {
            if (dialog->isVisible())
                dialog->reject();
        });
    reviewDialog_->open();
}

void DashboardView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Tints that the kit's widgets hold follow the new scheme.
    if (event->type() == QEvent::PaletteChange)
        scheduleRefresh();
}

void DashboardView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

} // namespace zn
