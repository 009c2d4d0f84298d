#pragma once

#include "Services/PermissionCoordinator.h"
#include "appsupport/FakeClock.h"
#include "appsupport/RecordingFileViewer.h"
#include "appsupport/RecordingUrlOpener.h"
#include "support/FixtureTree.h"

#include <memory>
#include <string>
#include <vector>

namespace zn::test {

// Full Disk Access behind per-application protection, switched on and off by creating or removing one
// protected folder of a fixture home, and a permission coordinator over it in virtual time.
struct SwitchableAccess {
    SwitchableAccess();

    void grant();
    void revoke();
    // A coordinator over the current options (tests may change them first).
    std::unique_ptr<PermissionCoordinator> makeCoordinator();

    FixtureTree tree;
    std::shared_ptr<RecordingUrlOpener> opener = std::make_shared<RecordingUrlOpener>();
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    std::shared_ptr<RecordingFileViewer> fileViewer = std::make_shared<RecordingFileViewer>();
    FullDiskAccessOptions options;
    std::shared_ptr<FullDiskAccessManager> manager;
    std::unique_ptr<PermissionCoordinator> coordinator;
};

} // namespace zn::test
