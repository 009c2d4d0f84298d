#pragma once

#include "Platform/core/FileSystem.h"
#include "Platform/core/HomeDirectory.h"
#include "Platform/core/PrivacyProtection.h"
#include "Platform/qt/FileViewer.h"

#include <QFuture>
#include <memory>
#include <string>
#include <vector>

namespace zn {

// The protected locations the access probe and the registration touch read.
struct FullDiskAccessLocations {
    std::vector<std::string> probePaths;        // access counts as granted when one of them can be read
    std::vector<std::string> registrationPaths; // read so that the system lists the program

    static FullDiskAccessLocations forHome(const std::string& home);
};

struct FullDiskAccessOptions {
    PrivacyProtection protection = platformPrivacyProtection();
    FullDiskAccessLocations locations = FullDiskAccessLocations::forHome(currentUserHomeDirectory());
    std::shared_ptr<const FileSystem> fileSystem = std::make_shared<PosixFileSystem>();
    std::string privacyTool = "/usr/bin/tccutil";
    std::shared_ptr<FileViewer> fileViewer = std::make_shared<DesktopFileViewer>();
    std::string applicationPath; // what the file manager shows; empty means this program's executable
};

// Full Disk Access: whether it is in force (by really reading protected locations), the touch that makes
// the system list the program, the reset of its entry, and showing the program in the file manager so the
// user can drag it into the list. Keeps no state; callable from any thread except revealAppInFinder().
class FullDiskAccessManager {
public:
    static const std::shared_ptr<FullDiskAccessManager>& sharedInstance();
    static FullDiskAccessManager& shared() { return *sharedInstance(); }
    explicit FullDiskAccessManager(FullDiskAccessOptions options = {});

    // Read afresh on every call. Without per-application protection the program already has every
    // access its user's rights give, so access counts as granted.
    bool hasFullDiskAccess() const;
    // Reads the registration locations on the thread pool; returns at once.
    QFuture<void> triggerRegistration() const;
    // Main thread.
    void revealAppInFinder() const;
    // Main thread; `source` names the operation for the log line of a failure.
    void openSettingsPane(UrlOpener& opener, const std::string& source) const;
    // Runs the system's privacy tool and waits for it: true when it exited with status 0.
    bool resetFullDiskAccess() const;

private:
    FullDiskAccessOptions options_;
};

} // namespace zn
