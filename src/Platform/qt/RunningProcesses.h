#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace zn {

// One process as the kernel lists it.
struct ProcessEntry {
    pid_t pid = 0;
    pid_t parentPid = 0;
    uid_t owner = 0;
    std::string executablePath; // without the kernel's " (deleted)" mark of a replaced binary

    bool operator==(const ProcessEntry&) const = default;
};

// Reads the process table of a procfs mounted at `procRoot`, in ascending process id. Processes whose
// executable cannot be read (kernel threads, other users' processes without the rights, processes that
// ended meanwhile) are left out.
std::vector<ProcessEntry> readProcessTable(const std::string& procRoot = "/proc");

} // namespace zn
