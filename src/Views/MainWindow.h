#pragma once

#include "ViewModels/CleanFailureReactions.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QMessageBox;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zn {

class AppState;
class PermissionCoordinator;
class QuestionPrompter;

// The main window's content: what the last scan found, with a check box per item, "Scan" for a Quick
// Clean, the clean button and the alert for a clean that could not remove everything.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kItemRole = Qt::UserRole;

    MainWindow(AppState& state, PermissionCoordinator& permission, QuestionPrompter& prompter,
               QWidget* parent = nullptr);

    QTreeWidget& resultsList() { return *results_; }
    QPushButton& scanButton() { return *scan_; }
    QPushButton& cleanButton() { return *clean_; }
    QLabel& statusLabel() { return *status_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refreshResults();
    void refreshControls();
    void itemChanged(QTreeWidgetItem* row);
    void clean();
    void showCleanFailureAlert();

    QPointer<AppState> state_;
    PermissionCoordinator& permission_;
    QuestionPrompter& prompter_;
    CleanFailureReactions reactions_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* scan_;
    QPushButton* clean_;
    QTreeWidget* results_;
    QPointer<QMessageBox> alert_;
};

} // namespace zn
