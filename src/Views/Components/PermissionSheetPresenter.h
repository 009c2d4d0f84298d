#pragma once

#include <QObject>
#include <QPointer>

namespace zn {

class FullDiskAccessManager;
class PermissionCoordinator;
class PermissionSheet;

// Shows the permission sheet over a window for as long as the coordinator runs a prompt, and takes it
// away when the prompt ends (whoever ended it). Reacts after the coordinator has finished its update, and
// also when the window is shown with a prompt already running.
class PermissionSheetPresenter : public QObject {
    Q_OBJECT

public:
    PermissionSheetPresenter(PermissionCoordinator& coordinator, const FullDiskAccessManager& accessManager,
                             QWidget& window);

    // The sheet on screen, if any.
    PermissionSheet* sheet() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sync();

    QPointer<PermissionCoordinator> coordinator_;
    const FullDiskAccessManager& accessManager_;
    QWidget& window_;
    QPointer<PermissionSheet> sheet_;
};

} // namespace zn
