#pragma once

#include "Models/CleaningCategory.h"
#include "Views/Kit/Controls/SearchableScreen.h"
#include "Views/Kit/Feedback/AlertDialog.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QStackedWidget;

namespace zn {

class AppState;
class CategoryFileList;
class CategoryHeroCard;
class CategorySelectionBar;
class EmptyStateView;
class FileListModel;
class FileViewer;
class NotScannedStateView;
class SearchField;

// One cleaning category: its card with Rescan, the selection bar, and its files as a filtered, size-sorted
// list of check-box rows; before a scan an invitation to scan, after a scan that found nothing an empty
// state. Everything it shows is read from the state; everything it does is a call on the state. The filter
// text, the sort order and the review dialog stay when the sidebar moves to another category.
class CategoryDetailView : public QWidget, public SearchableScreen {
    Q_OBJECT

public:
    static constexpr const char* kReviewMessage =
        "This area can include personal files or coding-tool files. Review the list before cleaning.";
    // Keys typed within this time after a change of the filter text are filtered together.
    static constexpr std::chrono::milliseconds kKeystrokeCoalescing{16};

    CategoryDetailView(AppState& state, CleaningCategory category, FileViewer& fileViewer, QWidget* parent = nullptr);

    CleaningCategory category() const { return category_; }
    void setCategory(CleaningCategory category);

    SearchField& searchField() override;
    bool sortDescending() const { return sortDescending_; }

    CategoryHeroCard& heroCard() const { return *hero_; }
    CategorySelectionBar& selectionBar() const { return *bar_; }
    NotScannedStateView& notScannedState() const { return *notScanned_; }
    EmptyStateView& nothingToCleanState() const { return *nothingToClean_; }
    CategoryFileList& fileList() const { return *fileList_; }
    FileListModel& fileModel() const { return *model_; }
    // The content shown now: not scanned, nothing to clean, or the list.
    QWidget* currentContent() const;
    // The review dialog while it is open.
    AlertDialog* reviewDialog() const { return reviewDialog_; }

private:
    bool busy() const;
    void reloadResult();
    void refresh();
    void chooseSort(bool descending);
    void toggleAll();
    void clean();
    void openReviewDialog();

    QPointer<AppState> state_;
    CleaningCategory category_;
    bool sortDescending_ = true;
    SearchField* searchField_;
    FileListModel* model_;
    CategoryHeroCard* hero_;
    CategorySelectionBar* bar_;
    QStackedWidget* content_;
    NotScannedStateView* notScanned_;
    EmptyStateView* nothingToClean_;
    CategoryFileList* fileList_;
    QPointer<AlertDialog> reviewDialog_;
    QTimer filterDelay_;
};

} // namespace zn
