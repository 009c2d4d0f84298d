#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace zn {

struct ProcessRequest {
    ProcessRequest(std::string executable, std::vector<std::string> arguments = {})
        : executable(std::move(executable)), arguments(std::move(arguments)) {}

    std::string executable; // absolute path; never looked up in PATH
    std::vector<std::string> arguments;
    // Variables whose names begin with one of these (case-sensitive) are removed from the inherited set.
    std::vector<std::string> removedVariablePrefixes;
    bool captureStandardOutput = true; // otherwise it goes to /dev/null
    // Written to the child's standard input while its output is read, then the input is closed; without
    // it the child reads /dev/null. A child that stops reading early only ends the writing.
    std::optional<std::string> standardInput;
    // Past this the child (and its process group) is killed and the run counts as failed.
    std::chrono::milliseconds timeLimit = std::chrono::seconds(120);
};

struct ProcessResult {
    bool started = false;
    int startErrno = 0;            // why it could not start
    std::optional<int> exitStatus; // none when killed by a signal or the time limit
    bool timedOut = false;
    std::string standardOutput; // raw bytes

    bool succeeded() const { return started && exitStatus == 0; }
};

// Runs the tool in "/" with standard error on /dev/null, so nothing the child writes to its error stream
// can block it, feeds it the standard input asked for and reads its standard output to the end.
ProcessResult runProcess(const ProcessRequest& request);

} // namespace zn
