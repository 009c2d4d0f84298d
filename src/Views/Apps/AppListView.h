#pragma once

#include "Models/Uuid.h"
#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Controls/SearchableScreen.h"
#include "Views/Kit/Controls/ToolbarScreen.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QSplitter;
class QStackedWidget;
class QTableView;

namespace zn {

class AppFilesView;
class AppState;
class BorderedButton;
class EmptyStateView;
class FileViewer;
class InstalledAppsFilter;
class InstalledAppsModel;
class QuestionPrompter;
class SearchField;

// The uninstaller: the installed applications in a sortable, searchable table on the left and the chosen
// application's extra files on the right. It keeps only its search text, table selection and sort order;
// everything else is the application state's.
class AppListView : public QWidget, public SearchableScreen, public ToolbarScreen {
    Q_OBJECT

public:
    AppListView(AppState& state, FileViewer& fileViewer, QuestionPrompter& prompter, QWidget* parent = nullptr);
    ~AppListView() override;

    SearchField& searchField() override { return *search_; }
    // "Rescan apps" and the removal button.
    QWidget& toolbarItems() override { return *items_; }

    // "Rescan apps" and "Retry": the list is loaded again in the background.
    void rescan();

    // For tests and screenshots.
    QTableView& table() const { return *table_; }
    InstalledAppsFilter& rows() const { return *filter_; }
    QStackedWidget& appPane() const { return *appPane_; }
    QStackedWidget& detailPane() const { return *detailPane_; }
    EmptyStateView& noAppsState() const { return *noApps_; }
    EmptyStateView& chooseAppState() const { return *chooseApp_; }
    BorderedButton& rescanButton() const { return *rescan_; }
    BorderedButton& removeButton() const { return *remove_; }
    AppFilesView& filesView() const { return *files_; }
    QSplitter& splitter() const { return *splitter_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refreshApps();
    void refreshAppPane();
    void refreshDetailPane();
    void refreshRemoveButton();
    void selectionChanged();
    void selectRow(const Uuid& id);

    QPointer<AppState> state_;
    // Shown by the main window in its toolbar, wherever it puts them; this screen deletes them.
    QPointer<SearchField> search_;
    QPointer<QWidget> items_;
    BorderedButton* rescan_;
    BorderedButton* remove_;
    QSplitter* splitter_;
    QStackedWidget* appPane_;
    QWidget* loading_;
    EmptyStateView* noApps_;
    QTableView* table_;
    InstalledAppsModel* model_;
    InstalledAppsFilter* filter_;
    QStackedWidget* detailPane_;
    EmptyStateView* chooseApp_;
    AppFilesView* files_;
    std::optional<Uuid> selection_;
    bool restoringSelection_ = false;
};

} // namespace zn
