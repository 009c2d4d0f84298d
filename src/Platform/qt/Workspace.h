#pragma once

#include "Platform/qt/RunningProcesses.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace zn {

// A running application of the current user: a top-level process whose executable is a known application.
struct RunningApplication {
    pid_t pid = 0;
    std::string bundleIdentifier;
    std::string executablePath;

    bool operator==(const RunningApplication&) const = default;
};

// The bundle identifier that an application's executable stands for on this system, e.g.
// "/opt/google/chrome/chrome" → "com.google.Chrome"; none for executables it does not know.
std::optional<std::string> bundleIdentifierForExecutable(std::string_view executablePath);

// Running applications and asking them to quit, over the process table.
class Workspace {
public:
    using ProcessLister = std::function<std::vector<ProcessEntry>()>;
    // Same contract as kill(2): 0 on success.
    using SignalSender = std::function<int(pid_t, int)>;

    Workspace(ProcessLister lister, SignalSender sender, uid_t user);

    // The process table under /proc, kill(2) and the effective user.
    static Workspace& shared();

    // In process-table order. A helper process (renderer, content process, zygote) whose parent runs the
    // same application is not an application of its own, so a browser with twenty processes counts once.
    std::vector<RunningApplication> runningApplications() const;
    // Asks the application to quit (SIGTERM) without waiting; false when it no longer runs (its process id
    // is gone or now runs something else) or the signal could not be sent.
    bool terminate(const RunningApplication& application) const;

private:
    ProcessLister lister_;
    SignalSender sender_;
    uid_t user_;
};

} // namespace zn
