#pragma once

#include <string>
#include <string_view>

namespace zn {

// One shell command to run with administrator rights through AppleScript.
struct AdminCommand {
    std::string appleScript;  // do shell script "<shellCommand>" with administrator privileges
    std::string shellCommand; // the command inside it
};

struct AdminRunOutcome {
    enum class Status {
        succeeded,
        cancelled, // the user dismissed the authorisation dialog; nothing ran
        failed,
    };
    Status status = Status::failed;
    std::string errorText; // when cancelled or failed; a cancel's text contains "-128"
    // The program form's report of what it did, after its start marker: all of it that arrived, also when
    // the program failed half way.
    std::string report = {};
};

// The argument that makes this program the administrator side of a removal, and the line that side
// writes before anything else, so that a status from the authorisation tool cannot be mistaken for one
// of ours.
inline constexpr std::string_view kPrivilegedRemovalArgument = "--privileged-remove";
inline constexpr std::string_view kPrivilegedRemovalStartMarker = "zelvanexal privileged removal started\n";

// Runs a removal with administrator rights after the system's own authorisation dialog. Blocks until the
// removal has ended or the dialog was dismissed.
class AdminRunner {
public:
    enum class Form {
        appleScript,       // a shell command inside an AppleScript (macOS)
        privilegedProgram, // this program itself, started as administrator, checks and removes
    };

    virtual ~AdminRunner() = default;
    virtual Form form() const = 0;
    // The AppleScript form.
    virtual AdminRunOutcome run(const AdminCommand& command) = 0;
    // The program form: starts "<program> --privileged-remove" as administrator with `input` on its
    // standard input.
    virtual AdminRunOutcome runPrivilegedRemoval(const std::string& input) = 0;
};

struct AdminRunnerTools {
    std::string osascript = "/usr/bin/osascript";
    std::string pkexec = "/usr/bin/pkexec";
    std::string shell = "/bin/sh";
    std::string program; // the program to start as administrator; empty means this very program
};

// The AppleScript form through "<osascript> -e <appleScript>" when that tool exists; otherwise the program
// form through "<pkexec> <program> --privileged-remove". pkexec's exit status 126 (dialog dismissed)
// counts as the user's cancel only when the program never started. Neither tool present is a failure.
class SystemAdminRunner final : public AdminRunner {
public:
    explicit SystemAdminRunner(AdminRunnerTools tools = {});
    Form form() const override;
    AdminRunOutcome run(const AdminCommand& command) override;
    AdminRunOutcome runPrivilegedRemoval(const std::string& input) override;

private:
    AdminRunnerTools tools_;
};

// The absolute path of the running program, or "" when it cannot be told (or the file is gone).
std::string currentProgramPath();

} // namespace zn
