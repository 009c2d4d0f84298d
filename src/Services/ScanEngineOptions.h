#pragma once

#include "Models/Date.h"
#include "Platform/core/FileSystem.h"
#include "Platform/core/VolumeInfo.h"
#include "Platform/core/WorkerPool.h"
#include "Logic/Removal/ProtectedPlaces.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace zn {

// Every absolute path outside the home folder that the scanners read, with the system's own values as
// defaults, and the seams through which the engine reads the disk. Tests point these at fixture trees.
// Paths inside the home folder are built from the engine's home and are not listed here.
struct ScanEngineOptions {
    // System junk folders, listed before and after the home folder's logs.
    std::string systemCaches = "/Library/Caches";
    std::string systemLogs = "/Library/Logs";
    std::string systemLogFiles = "/private/var/log";
    std::string temporaryFiles = "/tmp";
    std::string systemTemporaryFiles = "/private/var/tmp";

    // $XDG_DATA_HOME, which places the home Trash; none means home + "/.local/share". The current user's
    // engine takes the process's own.
    std::optional<std::string> dataHome;

    // The startup volume: its capacity is the disk information, and it is the purgeable-space item.
    std::string startupVolume = "/";

    // Local snapshots.
    std::string tmutil = "/usr/bin/tmutil";
    std::string diskutil = "/usr/sbin/diskutil";

    // Homebrew: where `brew` is looked for, in order, and the cache roots outside the home folder
    // whose answers are accepted, in order after the home folder's own.
    std::vector<std::string> brewPlaces{"/opt/homebrew/bin/brew", "/usr/local/bin/brew"};
    std::vector<std::string> brewSystemCacheRoots{
        "/opt/homebrew/Library/Caches", "/usr/local/Homebrew/Library/Caches", "/Library/Caches/Homebrew"};

    // npm, Yarn and pnpm are looked for in these folders first, then in the home folder's tool folders.
    std::vector<std::string> nodeToolSystemSearchPaths{"/opt/homebrew/bin", "/usr/local/bin"};

    // Docker: where `docker` is looked for, in order.
    std::vector<std::string> dockerPlaces{"/usr/local/bin/docker", "/opt/homebrew/bin/docker"};

    // A tool still running after this long is killed and its run counts as failed.
    std::chrono::milliseconds toolTimeLimit = std::chrono::seconds(120);

    // The threads that size folders and overlap a scan's walks and tools; filled with the shared pool.
    std::shared_ptr<WorkerPool> workers;

    // The present moment: old large files are those last changed a calendar year before it, and
    // temporary files go only when a day old.
    std::function<Date()> now = [] { return std::chrono::system_clock::now(); };
    // The user the scan is for: of the temporary folders only that user's entries are offered.
    uid_t currentUser = ::getuid();
    // Where the program runs from: no folder holding it (or the home) is ever offered.
    RunningProgramPlaces runningProgram = currentRunningProgramPlaces();

    std::shared_ptr<const VolumeInfo> volumeInfo = std::make_shared<StatvfsVolumeInfo>();
    std::shared_ptr<const FileSystem> fileSystem = std::make_shared<PosixFileSystem>();
};

} // namespace zn
