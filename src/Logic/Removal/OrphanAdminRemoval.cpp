#include "Logic/Removal/OrphanAdminRemoval.h"

#include "Logic/Utilities/Logger.h"
#include "Logic/Removal/AdministratorPass.h"

namespace zn {

namespace {

const std::string kSource = "removeWithAdminPrivileges(_:)";

std::string replacingAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Built with append, not literal + temporary: GCC 12 warns falsely (-Wrestrict) on that in optimised builds.
std::string singleQuoted(const std::string& path) {
    return std::string("'").append(replacingAll(path, "'", "'\"'\"'")).append("'");
}

} // namespace

std::string leftoverRemovalShellCommand(const std::vector<std::string>& paths) {
    std::string command = "rm -rf --";
    for (const std::string& path : paths)
        command.append(" ").append(singleQuoted(path));
    return command;
}

AdminCommand leftoverRemovalAdminCommand(const std::vector<std::string>& paths) {
    std::string command = leftoverRemovalShellCommand(paths);
    std::string escaped = replacingAll(replacingAll(command, "\\", "\\\\"), "\"", "\\\"");
    return {"do shell script \"" + escaped + "\" with administrator privileges", std::move(command)};
}

PrivilegedRemovalReport
removeLeftoversWithAdminPrivileges(const std::vector<std::string>& paths, AdminRunner& runner,
                                   const std::function<bool(const std::string&)>& mayGoToAdministrator) {
    if (paths.empty())
        return {};
    for (const std::string& path : paths)
        if (!mayGoToAdministrator(path)) {
            Logger::shared().log("Refusing admin escalation for unsafe path: " + path, LogLevel::warning,
                                 kSource);
            return {};
        }

    std::vector<PrivilegedRemovalRecord> records;
    for (const std::string& path : paths)
        records.push_back({std::nullopt, path});
    const auto pass = runAdministratorPass(runner, records,
                                           [&] { return runner.run(leftoverRemovalAdminCommand(paths)); });
    if (pass && pass->status == AdminRunOutcome::Status::failed)
        Logger::shared().log("Admin removal of leftovers failed: " + pass->errorText, LogLevel::error, kSource);
    return pass ? pass->report : PrivilegedRemovalReport{};
}

} // namespace zn
