#pragma once

namespace zn {

class AppState;
class PermissionCoordinator;

// "Set up" and "Fix": asks for Full Disk Access with nothing waiting for it; once granted, the state reads
// the access afresh.
void requestGeneralAccess(PermissionCoordinator& permission, AppState& state);

} // namespace zn
