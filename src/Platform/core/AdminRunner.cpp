#include "Platform/core/AdminRunner.h"

#include "Platform/core/Process.h"

#include <cstring>
#include <unistd.h>

namespace zn {

namespace {

// The authorisation dialog may stay open as long as the user likes.
constexpr auto kUnboundedWait = std::chrono::hours(24 * 365);

// polkit's pkexec exits with 126 when the dialog was dismissed and 127 when authorisation failed.
constexpr int kPkexecDismissed = 126;
constexpr int kPkexecNotAuthorized = 127;

bool isExecutable(const std::string& path) {
    return ::access(path.c_str(), X_OK) == 0;
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

} // namespace

SystemAdminRunner::SystemAdminRunner(AdminRunnerTools tools) : tools_(std::move(tools)) {}

AdminRunOutcome SystemAdminRunner::run(const AdminCommand& command) {
    if (isExecutable(tools_.osascript))
        return runAppleScript(command);
    if (isExecutable(tools_.pkexec))
        return runPolkit(command);
    return failed("No administrator runner: neither " + tools_.osascript + " nor " + tools_.pkexec +
                  " exists");
}

AdminRunOutcome SystemAdminRunner::runAppleScript(const AdminCommand& command) const {
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
        text =
            "osascript exited with status " + (result.exitStatus ? std::to_string(*result.exitStatus) : "?");
    return failed(text);
}

AdminRunOutcome SystemAdminRunner::runPolkit(const AdminCommand& command) const {
    ProcessRequest request{tools_.pkexec, {tools_.shell, "-c", command.shellCommand}};
    request.captureStandardOutput = false;
    request.timeLimit = kUnboundedWait;
    ProcessResult result = runProcess(request);
    if (!result.started)
        return failed(startFailure(tools_.pkexec, result));
    if (result.succeeded())
        return {AdminRunOutcome::Status::succeeded, {}};
    if (result.exitStatus == kPkexecDismissed)
        return {AdminRunOutcome::Status::cancelled, "User canceled. (-128)"};
    if (result.exitStatus == kPkexecNotAuthorized)
        return failed("Not authorized (pkexec exit status 127)");
    if (!result.exitStatus)
        return failed("The administrator command was stopped by a signal");
    return failed("The administrator command exited with status " + std::to_string(*result.exitStatus));
}

} // namespace zn
