#pragma once

#include "Logic/Scanning/AppInfoFetcher.h"
#include "Views/Kit/Feedback/FailureAlert.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QStackedWidget;

namespace zn {

class AppState;
class BorderedButton;
class CheckableFileRow;
class EmptyStateView;
class FileChecklist;
class FileViewer;
class ListedItemSizes;
class QuestionPrompter;
class TextLabel;

// The uninstaller's right-hand pane: the chosen application's header, the search for its extra files, and
// the files found, each with a check box, for removal one by one or all selected at once. It also hands a
// removal that failed for lack of Full Disk Access to the permission prompt, and shows every other
// removal failure in the "Couldn't remove everything" alert.
class AppFilesView : public QWidget {
    Q_OBJECT

public:
    AppFilesView(AppState& state, FileViewer& fileViewer, QuestionPrompter& prompter, QWidget* parent = nullptr);

    void setApp(const InstalledApp& app);
    // The screen this pane belongs to: while it is on screen, removal outcomes are acted on, even when the
    // pane itself is hidden (the chosen application's bundle is gone). The pane itself by default.
    void setHost(QWidget& host) { host_ = &host; }
    // Hands a failure that access would fix to the permission prompt, or shows any other failure; only
    // while the host is visible.
    void reviewRemovalOutcome();
    const std::optional<InstalledApp>& app() const { return app_; }

    // Asks whether to remove this one file; on "Remove" it becomes the whole selection and is removed.
    void confirmRemoval(const std::string& path);
    void removeSingleFile(const std::string& path);

    // For tests and screenshots.
    QStackedWidget& content() const { return *content_; }
    FileChecklist& fileList() const { return *list_; }
    BorderedButton& selectAllButton() const { return *selectAll_; }
    BorderedButton& clearSelectionButton() const { return *clearSelection_; }
    BorderedButton& removeButton() const { return *remove_; }
    TextLabel& fileCountLabel() const { return *fileCount_; }
    TextLabel& selectedSizeLabel() const { return *selectedSize_; }
    TextLabel& progressDetailLabel() const { return *checkingPlaces_; }
    EmptyStateView* emptyState() const { return empty_; }
    FailureAlert& removalAlert() { return alert_; }
    ListedItemSizes& sizes() const { return *sizes_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUpRow(CheckableFileRow& row);
    void refreshFiles();
    void refreshSelection();
    void showSizes(const std::vector<std::string>& paths);
    void refreshTotals();
    void refreshContent();
    void retryWithFullDiskAccess();

    QPointer<AppState> state_;
    FileViewer& fileViewer_;
    QuestionPrompter& prompter_;
    QPointer<QWidget> host_;
    std::optional<InstalledApp> app_;
    ListedItemSizes* sizes_;
    QLabel* icon_;
    TextLabel* name_;
    TextLabel* bundleIdentifier_;
    QWidget* totals_;
    TextLabel* fileCount_;
    TextLabel* selectedSize_;
    QStackedWidget* content_;
    QWidget* searching_;
    TextLabel* checkingPlaces_;
    QWidget* listPage_;
    FileChecklist* list_;
    BorderedButton* selectAll_;
    BorderedButton* clearSelection_;
    BorderedButton* remove_;
    QWidget* emptyPage_;
    EmptyStateView* empty_ = nullptr;
    FailureAlert alert_;
};

} // namespace zn
