#include "Views/MainWindow/GeneralAccessRequest.h"

#include "Services/PermissionCoordinator.h"
#include "ViewModels/AppState.h"

#include <QPointer>

namespace zn {

void requestGeneralAccess(PermissionCoordinator& permission, AppState& state) {
    QPointer<AppState> held(&state);
    permission.requestAccess(PermissionCoordinator::PromptContext::general(), {}, [held] {
        if (held)
            held->checkFullDiskAccess();
    });
}

} // namespace zn
