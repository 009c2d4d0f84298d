#include "appsupport/SwitchableAccess.h"

#include <filesystem>

namespace zn::test {

SwitchableAccess::SwitchableAccess() {
    options.protection = PrivacyProtection::perApplication;
    options.locations.probePaths = {tree.path("Library/Mail")};
    options.locations.registrationPaths = {tree.path("Library/Mail")};
    options.fileViewer = fileViewer;
    options.applicationPath = tree.path("bin/zelvanexal");
    coordinator = makeCoordinator();
}

void SwitchableAccess::grant() {
    tree.folder("Library/Mail");
}

void SwitchableAccess::revoke() {
    std::filesystem::remove_all(tree.path("Library/Mail"));
}

std::unique_ptr<PermissionCoordinator> SwitchableAccess::makeCoordinator() {
    manager = std::make_shared<FullDiskAccessManager>(options);
    return std::make_unique<PermissionCoordinator>(manager, opener, clock);
}

} // namespace zn::test
