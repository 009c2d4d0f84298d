#include "Views/CategoryDetail/CategoryDetailView.h"

#include "ViewModels/AppState.h"
#include "ViewModels/CleanAtOnce.h"
#include "Views/CategoryDetail/CategoryDetailTexts.h"
#include "Views/CategoryDetail/CategoryFileList.h"
#include "Views/CategoryDetail/CategoryHeroCard.h"
#include "Views/CategoryDetail/CategorySelectionBar.h"
#include "Views/CategoryDetail/FileListModel.h"
#include "Views/CategoryDetail/NotScannedStateView.h"
#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Feedback/EmptyStateView.h"

#include <QAbstractButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zn {

namespace {

const CategoryResult* resultOf(const AppState& state, CleaningCategory category) {
    const auto& results = state.categoryResults();
    const auto entry = results.find(category);
    return entry == results.end() ? nullptr : &entry->second;
}

} // namespace

CategoryDetailView::CategoryDetailView(AppState& state, CleaningCategory category, FileViewer& fileViewer,
                                       QWidget* parent)
    : QWidget(parent), state_(&state), category_(category),
      searchField_(new SearchField(QStringLiteral("Filter files"), this)), model_(new FileListModel(state, this)),
      hero_(new CategoryHeroCard(category)), bar_(new CategorySelectionBar), content_(new QStackedWidget),
      notScanned_(new NotScannedStateView(category)),
      nothingToClean_(new EmptyStateView(QStringLiteral("Nothing to clean"), "checkmark.circle",
                                         QStringLiteral("Zelva Nexal didn't find anything useful to remove here."))),
      fileList_(new CategoryFileList(*model_, fileViewer)) {
    // The field shows where the window places it (its toolbar), not inside the screen.
    searchField_->hide();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* heroRow = new QVBoxLayout;
    heroRow->setContentsMargins(20, 16, 20, 12);
    heroRow->addWidget(hero_);
    column->addLayout(heroRow);
    auto* barRow = new QVBoxLayout;
    barRow->setContentsMargins(20, 0, 20, 12);
    barRow->addWidget(bar_);
    column->addLayout(barRow);

    content_->setContentsMargins(20, 0, 20, 16);
    content_->addWidget(notScanned_);
    content_->addWidget(nothingToClean_);
    content_->addWidget(fileList_);
    column->addWidget(content_, 1);

    connect(hero_, &CategoryHeroCard::rescanPressed, this, [this] { state_->scanSingleCategory(category_); });
    connect(notScanned_, &NotScannedStateView::scanPressed, this, [this] { state_->scanSingleCategory(category_); });
    connect(bar_, &CategorySelectionBar::selectAllPressed, this, &CategoryDetailView::toggleAll);
    connect(bar_, &CategorySelectionBar::sortChosen, this, &CategoryDetailView::chooseSort);
    connect(bar_, &CategorySelectionBar::cleanPressed, this, &CategoryDetailView::clean);
    filterDelay_.setSingleShot(true);
    filterDelay_.setInterval(kKeystrokeCoalescing);
    connect(searchField_, &QLineEdit::textChanged, this, [this] {
        if (!filterDelay_.isActive())
            filterDelay_.start();
    });
    connect(&filterDelay_, &QTimer::timeout, this, [this] { model_->setFilterText(searchField_->text()); });

    // New results replace the list's rows: in a later turn, never inside a handler of one of those rows.
    connect(&state, &AppState::categoryResultsChanged, this, &CategoryDetailView::reloadResult, Qt::QueuedConnection);
    for (auto signal : {&AppState::scanStateChanged, &AppState::selectedCleanupItemsChanged,
                        &AppState::deselectedItemsChanged})
        connect(&state, signal, this, &CategoryDetailView::refresh);
    setCategory(category);
}

void CategoryDetailView::setCategory(CleaningCategory category) {
    category_ = category;
    setWindowTitle(QString::fromUtf8(displayName(category)));
    hero_->setCategory(category);
    notScanned_->setCategory(category);
    reloadResult();
}

SearchField& CategoryDetailView::searchField() {
    return *searchField_;
}

QWidget* CategoryDetailView::currentContent() const {
    return content_->currentWidget();
}

bool CategoryDetailView::busy() const {
    return state_->scanState().isBusy();
}

void CategoryDetailView::reloadResult() {
    if (!state_)
        return;
    model_->setItems(state_->sharedItems(category_));
    refresh();
}

void CategoryDetailView::refresh() {
    if (!state_)
        return;
    const CategoryResult* result = resultOf(*state_, category_);
    const bool isBusy = busy();
    const std::int64_t itemCount = result ? static_cast<std::int64_t>(result->items.size()) : 0;
    const CategorySelectionBar::Numbers numbers{state_->selectedCountInCategory(category_), itemCount,
                                                state_->selectedSizeInCategory(category_)};
    hero_->showResult(result, isBusy);
    bar_->setVisible(itemCount > 0);
    bar_->showNumbers(numbers, !isCleanedAtOnce(category_), isBusy);
    notScanned_->setBusy(isBusy);
    fileList_->setHeader(listHeaderText(numbers.selectedCount, itemCount));
    if (!result)
        content_->setCurrentWidget(notScanned_);
    else if (itemCount == 0)
        content_->setCurrentWidget(nothingToClean_);
    else
        content_->setCurrentWidget(fileList_);
    if (reviewDialog_)
        reviewDialog_->setTitle(cleanConfirmationTitle(numbers.selectedSize));
}

void CategoryDetailView::chooseSort(bool descending) {
    sortDescending_ = descending;
    bar_->setSortDescending(descending);
    model_->setSortDescending(descending);
}

void CategoryDetailView::toggleAll() {
    if (bar_->allSelected())
        state_->deselectAllInCategory(category_);
    else
        state_->selectAllInCategory(category_);
}

void CategoryDetailView::clean() {
    // Every category outside the clean-at-once ones asks for a review first.
    if (isCleanedAtOnce(category_))
        state_->cleanCategory(category_);
    else
        openReviewDialog();
}

void CategoryDetailView::openReviewDialog() {
    if (reviewDialog_)
        return;
    reviewDialog_ = new AlertDialog(cleanConfirmationTitle(state_->selectedSizeInCategory(category_)),
                                    QString::fromLatin1(kReviewMessage), this);
    reviewDialog_->setAttribute(Qt::WA_DeleteOnClose);
    reviewDialog_->setWindowModality(Qt::WindowModal);
    QAbstractButton* confirm =
        reviewDialog_->addButton(QStringLiteral("Clean selected items"), AlertDialog::Role::destructive);
    reviewDialog_->addButton(QStringLiteral("Cancel"), AlertDialog::Role::cancel);
    AlertDialog* dialog = reviewDialog_;
    connect(dialog, &QDialog::finished, this, [this, dialog, confirm] {
        if (dialog->clickedButton() == confirm && state_)
            state_->cleanCategory(category_);
    });
    reviewDialog_->open();
}

} // namespace zn
