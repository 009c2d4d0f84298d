#include "Platform/core/AdminRunner.h"

#include "Platform/core/Process.h"

#include <cstring>
#include <unistd.h>
#include <vector>

namespace zn {

namespace {

// The authorisation dialog may stay open as long as the user likes.
constexpr auto kUnboundedWait = std::chrono::hours(24 * 365);

// polkit's pkexec exits with 126 when the dialog was dismissed and 127 when authorisation failed.
constexpr int kPkexecDismissed = 126;
constexpr int kPkexecNotAuthorized = 127;

bool isExecutable(const std::string& path) {
    return !path.empty() && path.front() == '/' && ::access(path.c_str(), X_OK) == 0;
}

std::string trimmed(const std::string& text) {
    const char* space = " \t\r\n";
    auto first = text.find_first_not_of(space);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

AdminRunOutcome failed(std::string text) {
    return {AdminRunOutcome::Status::failed, std::move(text)};
}

std::string startFailure(const std::string& tool, const ProcessResult& result) {
    return "Cannot start " + tool + ": " + std::strerror(result.startErrno);
}

std::string exitText(const std::string& what, const ProcessResult& result) {
    if (!result.exitStatus)
        return what + " was stopped by a signal";
    return what + " exited with status " + std::to_string(*result.exitStatus);
}

} // namespace

std::string currentProgramPath() {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size() - 1)
        return {};
    std::string path(buffer.data(), static_cast<std::size_t>(length));
    // A program replaced or removed since it started shows as "<path> (deleted)": that file is not us.
    if (path.front() != '/' || ::access(path.c_str(), X_OK) != 0)
        return {};
    return path;
}

SystemAdminRunner::SystemAdminRunner(AdminRunnerTools tools) : tools_(std::move(tools)) {
    if (tools_.program.empty())
        tools_.program = currentProgramPath();
}

AdminRunner::Form SystemAdminRunner::form() const {
    return isExecutable(tools_.osascript) ? Form::appleScript : Form::privilegedProgram;
}

AdminRunOutcome SystemAdminRunner::run(const AdminCommand& command) {
    if (!isExecutable(tools_.osascript))
        return failed("No administrator runner: " + tools_.osascript + " does not exist");
    // osascript reports errors on its error stream; the shell folds that into the output we read.
    ProcessRequest request{tools_.shell,
                           {"-c", "exec \"$0\" -e \"$1\" 2>&1", tools_.osascript, command.appleScript}};
    request.timeLimit = kUnboundedWait;
    ProcessResult result = runProcess(request);
    if (!result.started)
        return failed(startFailure(tools_.shell, result));
    if (result.succeeded())
        return {AdminRunOutcome::Status::succeeded, {}};
    std::string text = trimmed(result.standardOutput);
    if (text.ends_with("(-128)"))
        return {AdminRunOutcome::Status::cancelled, text};
    if (text.empty())
        text = exitText("osascript", result);
    return failed(text);
}

AdminRunOutcome SystemAdminRunner::runPrivilegedRemoval(const std::string& input) {
    if (!isExecutable(tools_.pkexec))
        return failed("No administrator runner: neither " + tools_.osascript + " nor " + tools_.pkexec +
                      " exists");
    if (!isExecutable(tools_.program))
        return failed("Cannot find this program to run it as administrator");
    ProcessRequest request{tools_.pkexec, {tools_.program, std::string(kPrivilegedRemovalArgument)}};
    request.standardInput = input;
    request.timeLimit = kUnboundedWait;
    ProcessResult result = runProcess(request);
    if (!result.started)
        return failed(startFailure(tools_.pkexec, result));

    if (result.standardOutput.starts_with(kPrivilegedRemovalStartMarker)) {
        AdminRunOutcome outcome = result.succeeded() ? AdminRunOutcome{AdminRunOutcome::Status::succeeded, {}}
                                                     : failed(exitText("The administrator removal", result));
        outcome.report = result.standardOutput.substr(kPrivilegedRemovalStartMarker.size());
        return outcome;
    }
    // Our program never started: whatever went wrong was the authorisation.
    if (result.exitStatus == kPkexecDismissed)
        return {AdminRunOutcome::Status::cancelled, "User canceled. (-128)"};
    if (result.exitStatus == kPkexecNotAuthorized)
        return failed("Not authorized (pkexec exit status 127)");
    return failed(exitText("pkexec", result));
}

} // namespace zn
