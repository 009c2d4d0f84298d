#pragma once

#include "ViewModels/OrphanRemoval.h"
#include "Views/Kit/Controls/ToolbarScreen.h"
#include "Views/Kit/Feedback/FailureAlert.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <set>
#include <string>
#include <vector>

class QMenu;
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
class UrlOpener;

// The leftovers of applications that are no longer installed: found and removed by the application state,
// selected here. Every file passes the leftover safety policy first. "Remove
// selected" deletes permanently after a confirmation, with one administrator pass for what needs it; a
// row's "Move to Trash" moves the file to the Trash and deletes it permanently only when that fails and the
// user agrees. Removals run off the main thread; while one runs, nothing else can be removed or ticked.
class OrphanListView : public QWidget, public ToolbarScreen {
    Q_OBJECT

public:
    OrphanListView(AppState& state, FileViewer& fileViewer, UrlOpener& urlOpener, QuestionPrompter& prompter,
                   QWidget* parent = nullptr);
    ~OrphanListView() override;

    // "Select all" or "Clear selection", "Scan leftovers" and the removal button.
    QWidget& toolbarItems() override { return *items_; }

    const std::set<std::string>& selectedOrphans() const { return selected_; }
    void setSelectedOrphans(std::set<std::string> selected);
    bool isRemoving() const { return removing_; }
    const std::optional<std::string>& removalErrorMessage() const { return removalErrorMessage_; }

    // The toolbar's actions.
    void toggleSelectAll();
    // Asks first, then deletes the selection permanently.
    void removeSelectedOrphans();
    // A row's actions.
    void revealInFinder(const std::string& path);
    void copyPath(const std::string& path);
    void moveToTrash(const std::string& path);
    // The row's menu, built for `path`; the caller shows it.
    QMenu* contextMenu(const std::string& path);

    // For tests and screenshots.
    QStackedWidget& content() const { return *content_; }
    FileChecklist& fileList() const { return *list_; }
    EmptyStateView& emptyState() const { return *empty_; }
    BorderedButton& selectToggleButton() const { return *selectToggle_; }
    BorderedButton& scanButton() const { return *scan_; }
    BorderedButton& removeButton() const { return *remove_; }
    FailureAlert& removalAlert() { return alert_; }
    ListedItemSizes& sizes() const { return *sizes_; }

private:
    void setUpRow(CheckableFileRow& row);
    void refreshList();
    void refreshSelection();
    void showSizes(const std::vector<std::string>& paths);
    void refreshContent();
    void setRemoving(bool removing);
    // The permanent removal pass over `paths`, off the main thread; `finished` runs after its outcome is
    // applied.
    void runRemovalPass(std::vector<std::string> paths, std::function<void()> finished);
    void removeSingleOrphan(const std::string& path);
    void finishTrashMove(const std::string& path, const OrphanTrashResult& result);
    void showFailures(const std::vector<std::string>& failures);

    QPointer<AppState> state_;
    FileViewer& fileViewer_;
    UrlOpener& urlOpener_;
    QuestionPrompter& prompter_;
    std::set<std::string> selected_;
    bool removing_ = false;
    std::optional<std::string> removalErrorMessage_;
    ListedItemSizes* sizes_;
    // Shown by the main window in its toolbar, wherever it puts them; this screen deletes them.
    QPointer<QWidget> items_;
    BorderedButton* selectToggle_;
    BorderedButton* scan_;
    BorderedButton* remove_;
    QStackedWidget* content_;
    QWidget* searching_;
    EmptyStateView* empty_;
    FileChecklist* list_;
    FailureAlert alert_;
};

} // namespace zn
