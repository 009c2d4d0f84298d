#pragma once

#include <string>

namespace zn {

// One shell command to run with administrator rights, in the two forms the runners take.
struct AdminCommand {
    std::string appleScript;  // do shell script "<shellCommand>" with administrator privileges
    std::string shellCommand; // the same command, for /bin/sh -c
};

struct AdminRunOutcome {
    enum class Status {
        succeeded,
        cancelled, // the user dismissed the authorisation dialog; the command did not run
        failed,
    };
    Status status = Status::failed;
    std::string errorText; // when cancelled or failed; a cancel's text contains "-128"
};

// Runs a command with administrator rights after the system's own authorisation dialog. Blocks until the
// command has ended or the dialog was dismissed.
class AdminRunner {
public:
    virtual ~AdminRunner() = default;
    virtual AdminRunOutcome run(const AdminCommand& command) = 0;
};

struct AdminRunnerTools {
    std::string osascript = "/usr/bin/osascript";
    std::string pkexec = "/usr/bin/pkexec";
    std::string shell = "/bin/sh";
};

// "<osascript> -e <appleScript>" when that tool exists; otherwise "<pkexec> <shell> -c <shellCommand>",
// whose exit status 126 (dialog dismissed) counts as the user's cancel. Neither tool present is a failure.
class SystemAdminRunner final : public AdminRunner {
public:
    explicit SystemAdminRunner(AdminRunnerTools tools = {});
    AdminRunOutcome run(const AdminCommand& command) override;

private:
    AdminRunOutcome runAppleScript(const AdminCommand& command) const;
    AdminRunOutcome runPolkit(const AdminCommand& command) const;

    AdminRunnerTools tools_;
};

} // namespace zn
