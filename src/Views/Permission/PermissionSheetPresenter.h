#pragma once

#include "Views/MainWindow/DetailRoutes.h"

#include <QDialog>
#include <QObject>
#include <QPointer>

namespace zn {

class PermissionCoordinator;

// Shows the permission sheet on a window while the coordinator's prompt runs and takes it away when the
// prompt ends. Closing the sheet from outside its own buttons (Escape, the window manager) ends the prompt
// without the retry.
// It sits between the permission sheet and the main window, its one user, whose routes build the sheet.
class PermissionSheetPresenter : public QObject {
    Q_OBJECT

public:
    PermissionSheetPresenter(PermissionCoordinator& permission, QWidget& window, PermissionSheetFactory factory);

    // Matches the sheet to the prompt; the window calls it again when it is shown.
    void update();
    QDialog* sheet() const { return sheet_; }

private:
    void close();

    PermissionCoordinator& permission_;
    QWidget& window_;
    PermissionSheetFactory factory_;
    QPointer<QDialog> sheet_;
};

} // namespace zn
